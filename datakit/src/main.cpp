// Writes the sample data kit into a program folder:
//   vakrel_datakit SOURCE_FOLDER PROGRAM_FOLDER
// SOURCE_FOLDER holds dat/ and lumbrixon/version.ini as UTF-8 text; PROGRAM_FOLDER gets dat/
// (the tables enciphered, the INI files plain, all in code page 932) and lumbrixon/version.ini.

#include "LDataKitWriter.h"

#include "platform/Exceptions.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE_FOLDER PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const auto written = LDataKitWriter(argv[1], argv[2]).Write();
        std::printf("%zu files written into %s\n", written.size(), argv[2]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vakrel_datakit: %s\n", error.what());
        return 1;
    }
}
