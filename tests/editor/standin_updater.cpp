// Stands in for the firmware updater: writes its process id to "updater.pid" beside itself, so a
// test sees that it started and can check that it outlives the editor, then waits to be killed.
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include <cstdio>
#include <unistd.h>

int main(int, char** argv) {
    std::string folder = argv[0];
    folder = folder.substr(0, folder.find_last_of('/') + 1);
    {
        std::ofstream pid(folder + "updater.pid.part");
        pid << getpid() << '\n';
    }
    // Renamed when complete, so a reader never sees half a number.
    std::rename((folder + "updater.pid.part").c_str(), (folder + "updater.pid").c_str());
    std::this_thread::sleep_for(std::chrono::seconds(120));
    return 0;
}
