// Sets the two time stamps chmcmd writes into a compiled help file to a given time, so that the
// same pages always give the same RwHelp.chm: the one in the file's header (at 0x10, big-endian)
// and the one in its #SYSTEM file (entry 10, little-endian). chmlib finds #SYSTEM; the file is
// then changed in place of those eight bytes only.
//   pomiro_stamp_chm FILE.chm EPOCH
#include <chm_lib.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::uint64_t readLittleEndian(const std::vector<unsigned char> &bytes, std::size_t at, int size)
{
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

int fail(const char *file, const char *what)
{
    std::fprintf(stderr, "pomiro_stamp_chm: %s: %s\n", file, what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE.chm EPOCH\n", argv[0]);
        return 2;
    }
    const char *path = argv[1];
    char *end = nullptr;
    const auto stamp = static_cast<std::uint32_t>(std::strtoull(argv[2], &end, 10));
    if (*argv[2] == '\0' || *end != '\0')
        return fail(argv[2], "not a number of seconds");

    std::vector<unsigned char> bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
        if (!in.eof() && !in.good())
            return fail(path, "cannot read");
    }
    // A version 3 header: its offset 0x58 holds where content section 0, the uncompressed files,
    // begins.
    if (bytes.size() < 0x60 || std::string(bytes.begin(), bytes.begin() + 4) != "ITSF" ||
        readLittleEndian(bytes, 4, 4) != 3)
        return fail(path, "not a version 3 compiled help file");
    const std::uint64_t section0 = readLittleEndian(bytes, 0x58, 8);

    chmUnitInfo system{};
    chmFile *chm = chm_open(path);
    if (!chm)
        return fail(path, "chmlib cannot open it");
    const bool found = chm_resolve_object(chm, "/#SYSTEM", &system) == CHM_RESOLVE_SUCCESS;
    chm_close(chm);
    if (!found || system.space != CHM_UNCOMPRESSED)
        return fail(path, "no uncompressed #SYSTEM file");

    // #SYSTEM: a version, then entries of a 16-bit code, a 16-bit length and the data.
    const std::uint64_t begin = section0 + system.start;
    const std::uint64_t stop = begin + system.length;
    if (stop > bytes.size())
        return fail(path, "#SYSTEM lies beyond the end of the file");
    bool stamped = false;
    for (std::uint64_t at = begin + 4; at + 4 <= stop;) {
        const auto code = readLittleEndian(bytes, at, 2);
        const auto length = readLittleEndian(bytes, at + 2, 2);
        if (code == 10 && length >= 4 && at + 4 + length <= stop) {
            for (int i = 0; i < 4; ++i)
                bytes[at + 4 + static_cast<std::uint64_t>(i)] =
                    static_cast<unsigned char>(stamp >> (8 * i));
            stamped = true;
        }
        at += 4 + length;
    }
    if (!stamped)
        return fail(path, "#SYSTEM holds no time stamp (entry 10)");
    for (int i = 0; i < 4; ++i)
        bytes[0x10 + static_cast<std::size_t>(i)] =
            static_cast<unsigned char>(stamp >> (8 * (3 - i)));

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? 0 : fail(path, "cannot write");
}
