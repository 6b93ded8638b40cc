# cmake -DURL=... -DSHA256=... -DFILE=... -P DownloadIdiomData.cmake
# Downloads the idiom data set to FILE, which exists afterwards only when the
# download completed with exactly the pinned hash; fails otherwise.
file(DOWNLOAD "${URL}" "${FILE}.part" EXPECTED_HASH SHA256=${SHA256} TIMEOUT 120 INACTIVITY_TIMEOUT 20)
file(RENAME "${FILE}.part" "${FILE}")
