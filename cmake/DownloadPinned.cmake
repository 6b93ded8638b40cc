# cmake -DURL=... -DSHA256=... -DFILE=... -P DownloadPinned.cmake
# Downloads a pinned file to FILE, which exists afterwards only when the
# download completed with exactly the pinned hash; fails otherwise, with one
# line that says why.
file(DOWNLOAD "${URL}" "${FILE}.part" STATUS status TIMEOUT 120 INACTIVITY_TIMEOUT 20)
list(GET status 0 code)
if(NOT code EQUAL 0)
    file(REMOVE "${FILE}.part")
    list(GET status 1 why)
    message(FATAL_ERROR "download failed: ${why}")
endif()
file(SHA256 "${FILE}.part" sum)
if(NOT sum STREQUAL SHA256)
    file(REMOVE "${FILE}.part")
    message(FATAL_ERROR "the download has the SHA-256 ${sum}, not the pinned ${SHA256}")
endif()
file(RENAME "${FILE}.part" "${FILE}")
