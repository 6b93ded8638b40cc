// Any string given to Connection::open is either refused with a StoreError or
// opens a data file, read-only.
#include "connection.h"
#include "storeerror.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    Connection conn;
    try {
        conn.open(text);
    } catch (const StoreError &) {
        if (conn.isOpen())
            std::abort();
        return 0;
    }
    if (!conn.isOpen() || conn.dataSource().isEmpty())
        std::abort();
    return 0;
}
