// Stands in for the editor in the updater's process tests: notes each start in "editor-started"
// beside itself. A program of the build, so that it runs under the same sanitizer and preload as
// the updater that starts it.
#include <fstream>
#include <string>

#include <unistd.h>

int main() {
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return 1;
    std::string folder(self, std::size_t(n));
    folder.erase(folder.rfind('/'));
    std::ofstream(folder + "/editor-started", std::ios::app) << "started\n";
    return 0;
}
