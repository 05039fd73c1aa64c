// Preloaded into the program by a test: the first write into a file of the folder named by
// CRASH_ON_WRITE_IN (the folder's lock aside) writes half its bytes and then crashes the process.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

extern "C" ssize_t write(int fd, const void *buffer, size_t count)
{
    using Write = ssize_t (*)(int, const void *, size_t);
    static const Write real = reinterpret_cast<Write>(dlsym(RTLD_NEXT, "write"));
    static const char *folder = std::getenv("CRASH_ON_WRITE_IN");
    if (folder && *folder) {
        char link[64];
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        char path[4096];
        const ssize_t n = readlink(link, path, sizeof path - 1);
        const size_t length = std::strlen(folder);
        if (n > 0)
            path[n] = '\0';
        if (n > 0 && size_t(n) > length && std::strncmp(path, folder, length) == 0 && path[length] == '/'
            && std::strncmp(path + length + 1, "Chasdata.lock", 13) != 0) {
            real(fd, buffer, count / 2);
            std::abort();
        }
    }
    return real(fd, buffer, count);
}
