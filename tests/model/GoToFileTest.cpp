#include "model/GoToFile.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    using Kind = GoToFileAction::Kind;

    std::string WithFile(const std::string& file) { return "04\tTask\t\t0\t20261210\t1\t0\t" + file; }

    TEST(GoToFileTest, TheFileFieldDecides)
    {
        const std::tuple<const char*, std::string, std::optional<std::size_t>, Kind, std::string, std::string>
            cases[] = {
                { "noRow", WithFile("/docs/a.txt"), std::nullopt, Kind::NoTask, "", "" },
                { "pastTheLastTask", WithFile("/docs/a.txt"), 1, Kind::NoTask, "", "" },
                { "lineWithoutFileField", "04\tShort", 0, Kind::AskToAssociate, "", "" },
                { "emptyFileField", WithFile(""), 0, Kind::AskToAssociate, "", "" },
                { "list", WithFile("/home/me/Work.agl"), 0, Kind::OpenList, "/home/me/Work.agl", "" },
                { "listInCapitals", WithFile("/home/me/Other.AGL"), 0, Kind::OpenList, "/home/me/Other.AGL",
                    "" },
                { "listInMixedCase", WithFile("Plans.AgL"), 0, Kind::OpenList, "Plans.AgL", "" },
                { "listExtensionInTheMiddle", WithFile("/home/me/old.agl.txt"), 0, Kind::OpenDocument,
                    "/home/me/old.agl.txt", "/home/me/" },
                { "shorterThanTheExtension", WithFile("gl"), 0, Kind::OpenDocument, "gl", "" },
                { "document", WithFile("/docs/notes.txt"), 0, Kind::OpenDocument, "/docs/notes.txt",
                    "/docs/" },
                { "documentWithoutFolder", WithFile("notes.txt"), 0, Kind::OpenDocument, "notes.txt", "" },
                { "windows1252Path", WithFile("/home/zo\xEB/caf\xE9.txt"), 0, Kind::OpenDocument,
                    "/home/zo\xC3\xAB/caf\xC3\xA9.txt", "/home/zo\xC3\xAB/" },
            };
        for (const auto& [name, line, index, kind, path, folder] : cases) {
            TaskStore tasks;
            tasks.Add(line);
            const GoToFileAction action = DecideGoToFile(tasks, index);
            EXPECT_EQ(action.What, kind) << name;
            EXPECT_EQ(action.Path, path) << name;
            EXPECT_EQ(action.WorkingFolder, folder) << name;
        }
    }

} // namespace
} // namespace agendrix
