#include "model/PackageIndex.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    const std::string Header = "Skin Works\tBlue Skin\t\t"s;

    // A header, one entry per (size text, path), the end mark and `data`.
    std::string RawPackage(
        const std::vector<std::pair<std::string, std::string>>& entries, const std::string& data)
    {
        std::string bytes = Header;
        for (const auto& [size, path] : entries)
            bytes += size + "\t" + path + "\t";
        return bytes + '\0' + data;
    }

    std::string ManyEntries(std::size_t count)
    {
        std::string bytes = Header;
        for (std::size_t i = 0; i < count; ++i)
            bytes += "0\tf" + std::to_string(i) + "\t";
        return bytes + '\0';
    }

    TEST(PackageIndex, RefusedPackageIsInvalidWithItsReasonAndNoEntries)
    {
        const struct {
            const char* Name;
            std::string Bytes;
            std::string Problem; // a part of the reason given
        } cases[] = {
            { "Empty", "", "ends in the middle of the name of its source" },
            { "HeaderCutAfterTwoFields", "Skin Works\tBlue Skin\t", "ends in the middle of the third field" },
            { "HeaderFieldTooLong", std::string(2000, 'x') + "\t", "longer than 1024 bytes" },
            { "AbsolutePathWithBackslash", RawPackage({ { "1", "\\etc\\passwd" } }, "x"), "is absolute" },
            { "AbsolutePathWithSlash", RawPackage({ { "1", "/etc/passwd" } }, "x"), "is absolute" },
            { "DriveLetter", RawPackage({ { "1", "C:\\boot.ini" } }, "x"), "names a drive" },
            { "ParentFolderFirst", RawPackage({ { "1", "..\\x.bmp" } }, "x"), "names the folder \"..\"" },
            { "ParentFolderInside", RawPackage({ { "1", "Skins\\..\\..\\x.bmp" } }, "x"),
                "names the folder \"..\"" },
            { "ParentFolderLast", RawPackage({ { "1", "Skins\\.." } }, "x"), "names the folder \"..\"" },
            { "CurrentFolder", RawPackage({ { "1", ".\\x.bmp" } }, "x"), "names the folder \".\"" },
            { "EmptyComponent", RawPackage({ { "1", "Skins\\\\x.bmp" } }, "x"), "empty folder name" },
            { "TrailingSeparator", RawPackage({ { "1", "Skins\\" } }, "x"), "empty folder name" },
            { "EmptyPath", RawPackage({ { "1", "" } }, "x"), "a path of its index is empty" },
            { "NulInPath", RawPackage({ { "1", "a\0b"s } }, "x"), "control character" },
            { "ControlCharacterInPath", RawPackage({ { "1", "a\x1b[2Jb" } }, "x"), "control character" },
            { "DuplicateIgnoringCase", RawPackage({ { "1", "Skins\\A.bmp" }, { "1", "skins\\a.BMP" } }, "xy"),
                "names already" },
            { "FileWhereFolderIsNeeded", RawPackage({ { "1", "Skins" }, { "1", "skins\\a.bmp" } }, "xy"),
                "needs a folder" },
            { "FolderWhereFileIsNamed", RawPackage({ { "1", "Skins\\a.bmp" }, { "1", "SKINS" } }, "xy"),
                "names already" },
            { "IndexCutInASize", Header + "12", "ends in the middle of the size of file 1" },
            { "IndexCutInAPath", Header + "1\tSkins\\a.b", "ends in the middle of the path of file 1" },
            { "IndexWithoutEndMark", Header + "1\ta.bmp\t", "ends before the mark" },
            { "SizeNotDigits", RawPackage({ { "1k", "a.bmp" } }, "x"), "is not a number of bytes" },
            { "SizeNegative", RawPackage({ { "-1", "a.bmp" } }, ""), "is not a number of bytes" },
            { "SizeEmpty", RawPackage({ { "", "a.bmp" } }, ""), "is not a number of bytes" },
            { "SizeBeyond64Bits", RawPackage({ { "99999999999999999999", "a.bmp" } }, ""),
                "is not a number of bytes" },
            { "SizeWithMoreThanTwentyDigits", RawPackage({ { std::string(30, '0'), "a.bmp" } }, ""),
                "longer than 20 bytes" },
            { "SizePastTheEnd", RawPackage({ { "10", "a.bmp" } }, "12345"), "goes past the end" },
            { "FourGigabyteSize", RawPackage({ { "4294967296", "a.bmp" } }, "xyz"), "goes past the end" },
            { "SizesThatOverflowTogether",
                RawPackage({ { "2", "a.bmp" }, { "18446744073709551615", "b.bmp" } }, "xy"),
                "\"b.bmp\", 18446744073709551615" },
            { "SecondFilePastTheEnd", RawPackage({ { "2", "a.bmp" }, { "3", "b.bmp" } }, "xyz"),
                "\"b.bmp\", 3 bytes, goes past the end" },
            { "BytesAfterTheLastFile", RawPackage({ { "2", "a.bmp" } }, "xyz"), "1 bytes more" },
            { "HundredThousandEntries", ManyEntries(100'000), "more than 10000 files" },
            { "PathOfTenThousandCharacters", RawPackage({ { "0", std::string(10'000, 'a') } }, ""),
                "longer than 1024 bytes" },
            { "NameLongerThanTheFileSystemAllows", RawPackage({ { "0", std::string(300, 'a') } }, ""),
                "longer than 255 bytes" },
        };
        for (const auto& c : cases) {
            const PackageReading reading = ReadPackageIndex(c.Bytes);
            EXPECT_FALSE(reading.Valid) << c.Name;
            EXPECT_NE(reading.Problem.find(c.Problem), std::string::npos)
                << c.Name << ": " << reading.Problem;
            EXPECT_TRUE(reading.Index.Entries.empty()) << c.Name;
        }
    }

    TEST(PackageIndex, AcceptedPackageListsEveryFileWithItsBytes)
    {
        const struct {
            const char* Name;
            std::vector<PackageFile> Files;
            std::vector<std::vector<std::string>> Components;
        } cases[] = {
            { "EmptyIndex", {}, {} },
            { "NestedFolders",
                { { "skins\\blue\\remote.bmp", "BM\x01\x02"s }, { "skins\\blue\\colors.txt", "1\r\n2\r\n" } },
                { { "skins", "blue", "remote.bmp" }, { "skins", "blue", "colors.txt" } } },
            { "EmptyFileAmongOthers", { { "a.txt", "A" }, { "empty.txt", "" }, { "b.txt", "\0\t\0"s } },
                { { "a.txt" }, { "empty.txt" }, { "b.txt" } } },
            { "SlashAlsoSeparates", { { "skins/blue\\x.bmp", "x" } }, { { "skins", "blue", "x.bmp" } } },
            { "DotsInsideNames", { { "..hidden", "h" }, { "a..b\\c.d", "c" } },
                { { "..hidden" }, { "a..b", "c.d" } } },
            { "SameNameInTwoFolders", { { "a\\x", "1" }, { "b\\x", "2" } }, { { "a", "x" }, { "b", "x" } } },
        };
        for (const auto& c : cases) {
            const std::string bytes = EncodePackage("Skin Works", "Blue Skin", c.Files);
            const PackageReading reading = ReadPackageIndex(bytes);
            ASSERT_TRUE(reading.Valid) << c.Name << ": " << reading.Problem;
            EXPECT_EQ(reading.Index.Source, "Skin Works") << c.Name;
            EXPECT_EQ(reading.Index.Name, "Blue Skin") << c.Name;
            ASSERT_EQ(reading.Index.Entries.size(), c.Files.size()) << c.Name;
            for (std::size_t i = 0; i < c.Files.size(); ++i) {
                const PackageEntry& entry = reading.Index.Entries[i];
                EXPECT_EQ(entry.StoredPath, c.Files[i].StoredPath) << c.Name;
                EXPECT_EQ(entry.Components, c.Components[i]) << c.Name;
                EXPECT_EQ(bytes.substr(entry.Offset, entry.Size), c.Files[i].Contents) << c.Name;
            }
        }
    }

    TEST(PackageIndex, StoredPathsHaveBackslashesForSlashes)
    {
        EXPECT_EQ(StoredPackagePath("Skins/Blue/x.bmp"), "Skins\\Blue\\x.bmp");
        EXPECT_EQ(StoredPackagePath("Skins\\x.bmp"), "Skins\\x.bmp");
        EXPECT_EQ(StoredPackagePath("a.txt"), "a.txt");
    }

} // namespace
} // namespace agendrix
