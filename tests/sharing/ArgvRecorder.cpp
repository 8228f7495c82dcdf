// A harmless program for the launcher test: writes its arguments, each ended
// by a NUL byte, to the file named by BW_ARGV_OUT (through a temporary file
// renamed at the end, so that a reader never sees half of it).
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char* argv[]) {
    const char* out = std::getenv("BW_ARGV_OUT");
    if (out == nullptr) {
        return 2;
    }
    const std::string partial = std::string(out) + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        return 3;
    }
    for (int i = 1; i < argc; ++i) {
        std::fputs(argv[i], file);
        std::fputc('\0', file);
    }
    std::fclose(file);
    return std::rename(partial.c_str(), out) == 0 ? 0 : 4;
}
