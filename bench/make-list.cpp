// agendrix_make_list OUTPUT [COUNT [SEED]]
//
// Writes a generated task list: "Format: 5.0.0", then COUNT task lines (default 100000) in
// Windows-1252, each ended by CR LF. The same COUNT and SEED (default 1) always give the same
// file.

#include "ListGenerator.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

template <typename T> bool ParseNumber(std::string_view text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc {} && end == text.data() + text.size() && !text.empty();
}

int Usage()
{
    std::cerr << "usage: agendrix_make_list OUTPUT [COUNT [SEED]]\n"
                 "  writes a generated list of COUNT tasks (default 100000) made from SEED (default 1)\n";
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4)
        return Usage();
    agendrix::bench::ListShape shape;
    const std::string output = argv[1];
    if (argc > 2 && !ParseNumber(std::string_view(argv[2]), shape.Count))
        return Usage();
    if (argc > 3 && !ParseNumber(std::string_view(argv[3]), shape.Seed))
        return Usage();

    const std::string bytes = agendrix::bench::GenerateListFile(shape);
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::cerr << "agendrix_make_list: could not write " << output << "\n";
        return 2;
    }
    std::cout << "Wrote " << shape.Count << " tasks (" << bytes.size() << " bytes, seed " << shape.Seed
              << ") to " << output << "\n";
    return 0;
}
