// What the program tells the desktop about its file types: the MIME packages and the desktop
// entry's command line.

#include "model/FileAssociation.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    TEST(DesktopExec, WritesThePathSoThatTheDesktopReadsItBack)
    {
        const std::tuple<const char*, std::string, std::optional<std::string>> cases[] = {
            { "Empty", "", std::nullopt },
            { "LineBreak", "/opt/a\nb/agendrix", std::nullopt },
            { "Tab", "/opt/a\tb/agendrix", std::nullopt },
            { "Delete", "/opt/a\x7F/agendrix", std::nullopt },
            { "Plain", "/usr/bin/agendrix", "/usr/bin/agendrix" },
            { "Percent", "/opt/100%/agendrix", "/opt/100%%/agendrix" },
            { "Blank", "/opt/My Apps/agendrix", "\"/opt/My Apps/agendrix\"" },
            { "QuoteInQuotes", "/opt/a\"b/agendrix", "\"/opt/a\\\\\"b/agendrix\"" },
            { "DollarAndBacktick", "/opt/$x`y/agendrix", "\"/opt/\\\\$x\\\\`y/agendrix\"" },
            { "Backslash", "/opt/a\\b/agendrix", "\"/opt/a\\\\\\\\b/agendrix\"" },
            { "BlankAndPercent", "/opt/a b%/agendrix", "\"/opt/a b%%/agendrix\"" },
            { "SingleQuote", "/opt/it's/agendrix", "\"/opt/it's/agendrix\"" },
        };
        for (const auto& [name, path, exec] : cases)
            EXPECT_EQ(DesktopExecProgram(path), exec) << name;
    }

    TEST(DesktopEntry, StartsTheProgramWithTheFileAsItsOnlyArgumentForBothTypes)
    {
        const std::optional<std::string> entry
            = DesktopEntryText("/opt/My Apps/agendrix", ProgramFileTypes());
        ASSERT_TRUE(entry.has_value());
        EXPECT_NE(entry->find("\nExec=\"/opt/My Apps/agendrix\" %f\n"), std::string::npos) << *entry;
        EXPECT_NE(entry->find("\nMimeType=application/x-agendrix-list;application/x-agendrix-completed;\n"),
            std::string::npos)
            << *entry;
        EXPECT_EQ(entry->rfind("[Desktop Entry]\n", 0), 0U);
        EXPECT_FALSE(DesktopEntryText("/opt/a\nb", ProgramFileTypes()).has_value());
    }

    TEST(MimePackage, GlobsTheLowerCaseExtensionAndEscapesTheTexts)
    {
        struct Case {
            const char* Name;
            FileTypeAssociation Type;
            std::vector<std::string> Present;
            std::vector<std::string> Absent;
        };
        const std::vector<Case> cases {
            { "markup in the description", { "XY", "A.B", "Lists <&> \"more\"", "", -1, "application/x-a&b" },
                { "<comment>Lists &lt;&amp;&gt; &quot;more&quot;</comment>", "type=\"application/x-a&amp;b\"",
                    "<glob pattern=\"*.xy\"/>" },
                { "<icon", "*.XY" } },
            { "task lists", ProgramFileTypes()[0],
                { "type=\"application/x-agendrix-list\"", "<comment>Agendrix Task List</comment>",
                    "<icon name=\"application-x-agendrix-list\"/>", "<glob pattern=\"*.agl\"/>" },
                { "case-sensitive", "*.AGL" } },
            { "completed items", ProgramFileTypes()[1],
                { "type=\"application/x-agendrix-completed\"",
                    "<comment>Agendrix Completed Task Items</comment>",
                    "<icon name=\"application-x-agendrix-completed\"/>", "<glob pattern=\"*.cti\"/>" },
                { "case-sensitive" } },
        };
        for (const Case& c : cases) {
            const std::string xml = MimePackageXml(c.Type);
            for (const std::string& text : c.Present)
                EXPECT_NE(xml.find(text), std::string::npos) << c.Name << ": " << text << "\n" << xml;
            for (const std::string& text : c.Absent)
                EXPECT_EQ(xml.find(text), std::string::npos) << c.Name << ": " << text << "\n" << xml;
        }
        EXPECT_EQ(MimePackageName(ProgramFileTypes()[1]), "agendrix-cti.xml");
    }

} // namespace
} // namespace agendrix
