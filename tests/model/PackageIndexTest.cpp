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

    struct RefusedCase {
        const char* Name;
        std::string Bytes;
        std::string Problem; // a part of the reason given
    };

    class RefusedPackage : public testing::TestWithParam<RefusedCase> { };

    TEST_P(RefusedPackage, IsInvalidWithItsReasonAndNoEntries)
    {
        const RefusedCase& c = GetParam();
        const PackageReading reading = ReadPackageIndex(c.Bytes);
        EXPECT_FALSE(reading.Valid);
        EXPECT_NE(reading.Problem.find(c.Problem), std::string::npos) << reading.Problem;
        EXPECT_TRUE(reading.Index.Entries.empty());
    }

    INSTANTIATE_TEST_SUITE_P(PackageIndex, RefusedPackage,
        testing::Values(RefusedCase { "Empty", "", "ends in the middle of the name of its source" },
            RefusedCase { "HeaderCutAfterTwoFields", "Skin Works\tBlue Skin\t",
                "ends in the middle of the third field" },
            RefusedCase { "HeaderFieldTooLong", std::string(2000, 'x') + "\t", "longer than 1024 bytes" },
            RefusedCase {
                "AbsolutePathWithBackslash", RawPackage({ { "1", "\\etc\\passwd" } }, "x"), "is absolute" },
            RefusedCase {
                "AbsolutePathWithSlash", RawPackage({ { "1", "/etc/passwd" } }, "x"), "is absolute" },
            RefusedCase { "DriveLetter", RawPackage({ { "1", "C:\\boot.ini" } }, "x"), "names a drive" },
            RefusedCase {
                "ParentFolderFirst", RawPackage({ { "1", "..\\x.bmp" } }, "x"), "names the folder \"..\"" },
            RefusedCase { "ParentFolderInside", RawPackage({ { "1", "Skins\\..\\..\\x.bmp" } }, "x"),
                "names the folder \"..\"" },
            RefusedCase {
                "ParentFolderLast", RawPackage({ { "1", "Skins\\.." } }, "x"), "names the folder \"..\"" },
            RefusedCase {
                "CurrentFolder", RawPackage({ { "1", ".\\x.bmp" } }, "x"), "names the folder \".\"" },
            RefusedCase {
                "EmptyComponent", RawPackage({ { "1", "Skins\\\\x.bmp" } }, "x"), "empty folder name" },
            RefusedCase { "TrailingSeparator", RawPackage({ { "1", "Skins\\" } }, "x"), "empty folder name" },
            RefusedCase { "EmptyPath", RawPackage({ { "1", "" } }, "x"), "a path of its index is empty" },
            RefusedCase { "NulInPath", RawPackage({ { "1", "a\0b"s } }, "x"), "control character" },
            RefusedCase {
                "ControlCharacterInPath", RawPackage({ { "1", "a\x1b[2Jb" } }, "x"), "control character" },
            RefusedCase { "DuplicateIgnoringCase",
                RawPackage({ { "1", "Skins\\A.bmp" }, { "1", "skins\\a.BMP" } }, "xy"), "names already" },
            RefusedCase { "FileWhereFolderIsNeeded",
                RawPackage({ { "1", "Skins" }, { "1", "skins\\a.bmp" } }, "xy"), "needs a folder" },
            RefusedCase { "FolderWhereFileIsNamed",
                RawPackage({ { "1", "Skins\\a.bmp" }, { "1", "SKINS" } }, "xy"), "names already" },
            RefusedCase { "IndexCutInASize", Header + "12", "ends in the middle of the size of file 1" },
            RefusedCase {
                "IndexCutInAPath", Header + "1\tSkins\\a.b", "ends in the middle of the path of file 1" },
            RefusedCase { "IndexWithoutEndMark", Header + "1\ta.bmp\t", "ends before the mark" },
            RefusedCase {
                "SizeNotDigits", RawPackage({ { "1k", "a.bmp" } }, "x"), "is not a number of bytes" },
            RefusedCase { "SizeNegative", RawPackage({ { "-1", "a.bmp" } }, ""), "is not a number of bytes" },
            RefusedCase { "SizeEmpty", RawPackage({ { "", "a.bmp" } }, ""), "is not a number of bytes" },
            RefusedCase { "SizeBeyond64Bits", RawPackage({ { "99999999999999999999", "a.bmp" } }, ""),
                "is not a number of bytes" },
            RefusedCase { "SizeWithMoreThanTwentyDigits",
                RawPackage({ { std::string(30, '0'), "a.bmp" } }, ""), "longer than 20 bytes" },
            RefusedCase { "SizePastTheEnd", RawPackage({ { "10", "a.bmp" } }, "12345"), "goes past the end" },
            RefusedCase {
                "FourGigabyteSize", RawPackage({ { "4294967296", "a.bmp" } }, "xyz"), "goes past the end" },
            RefusedCase { "SizesThatOverflowTogether",
                RawPackage({ { "2", "a.bmp" }, { "18446744073709551615", "b.bmp" } }, "xy"),
                "\"b.bmp\", 18446744073709551615" },
            RefusedCase { "SecondFilePastTheEnd", RawPackage({ { "2", "a.bmp" }, { "3", "b.bmp" } }, "xyz"),
                "\"b.bmp\", 3 bytes, goes past the end" },
            RefusedCase { "BytesAfterTheLastFile", RawPackage({ { "2", "a.bmp" } }, "xyz"), "1 bytes more" },
            RefusedCase { "HundredThousandEntries", ManyEntries(100'000), "more than 10000 files" },
            RefusedCase { "PathOfTenThousandCharacters",
                RawPackage({ { "0", std::string(10'000, 'a') } }, ""), "longer than 1024 bytes" },
            RefusedCase { "NameLongerThanTheFileSystemAllows",
                RawPackage({ { "0", std::string(300, 'a') } }, ""), "longer than 255 bytes" }),
        [](const auto& testInfo) { return std::string(testInfo.param.Name); });

    struct AcceptedCase {
        const char* Name;
        std::vector<PackageFile> Files;
        std::vector<std::vector<std::string>> Components;
    };

    class AcceptedPackage : public testing::TestWithParam<AcceptedCase> { };

    TEST_P(AcceptedPackage, ListsEveryFileWithItsBytes)
    {
        const AcceptedCase& c = GetParam();
        const std::string bytes = EncodePackage("Skin Works", "Blue Skin", c.Files);
        const PackageReading reading = ReadPackageIndex(bytes);
        ASSERT_TRUE(reading.Valid) << reading.Problem;
        EXPECT_EQ(reading.Index.Source, "Skin Works");
        EXPECT_EQ(reading.Index.Name, "Blue Skin");
        ASSERT_EQ(reading.Index.Entries.size(), c.Files.size());
        for (std::size_t i = 0; i < c.Files.size(); ++i) {
            const PackageEntry& entry = reading.Index.Entries[i];
            EXPECT_EQ(entry.StoredPath, c.Files[i].StoredPath);
            EXPECT_EQ(entry.Components, c.Components[i]);
            EXPECT_EQ(bytes.substr(entry.Offset, entry.Size), c.Files[i].Contents);
        }
    }

    INSTANTIATE_TEST_SUITE_P(PackageIndex, AcceptedPackage,
        testing::Values(AcceptedCase { "EmptyIndex", {}, {} },
            AcceptedCase { "NestedFolders",
                { { "skins\\blue\\remote.bmp", "BM\x01\x02"s }, { "skins\\blue\\colors.txt", "1\r\n2\r\n" } },
                { { "skins", "blue", "remote.bmp" }, { "skins", "blue", "colors.txt" } } },
            AcceptedCase { "EmptyFileAmongOthers",
                { { "a.txt", "A" }, { "empty.txt", "" }, { "b.txt", "\0\t\0"s } },
                { { "a.txt" }, { "empty.txt" }, { "b.txt" } } },
            AcceptedCase {
                "SlashAlsoSeparates", { { "skins/blue\\x.bmp", "x" } }, { { "skins", "blue", "x.bmp" } } },
            AcceptedCase { "DotsInsideNames", { { "..hidden", "h" }, { "a..b\\c.d", "c" } },
                { { "..hidden" }, { "a..b", "c.d" } } },
            AcceptedCase { "SameNameInTwoFolders", { { "a\\x", "1" }, { "b\\x", "2" } },
                { { "a", "x" }, { "b", "x" } } }),
        [](const auto& testInfo) { return std::string(testInfo.param.Name); });

    struct StoredCase {
        const char* Name;
        std::string Given;
        std::string Stored;
    };

    class StoredPath : public testing::TestWithParam<StoredCase> { };

    TEST_P(StoredPath, TurnsSlashesIntoBackslashes)
    {
        EXPECT_EQ(StoredPackagePath(GetParam().Given), GetParam().Stored);
    }

    INSTANTIATE_TEST_SUITE_P(PackageIndex, StoredPath,
        testing::Values(StoredCase { "Nested", "Skins/Blue/x.bmp", "Skins\\Blue\\x.bmp" },
            StoredCase { "AlreadyStored", "Skins\\x.bmp", "Skins\\x.bmp" },
            StoredCase { "Plain", "a.txt", "a.txt" }),
        [](const auto& testInfo) { return std::string(testInfo.param.Name); });

} // namespace
} // namespace agendrix
