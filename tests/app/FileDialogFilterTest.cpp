#include "app/FileDialogFilter.h"

#include <gtest/gtest.h>

namespace agendrix {
namespace {

    TEST(FileDialogFilter, EachCaptionNamesItsPatternsOnceSeparatedByBlanks)
    {
        struct Case {
            const char* Name;
            const char* Filter;
            const char* Expected;
        };
        const Case cases[] = {
            { "Empty", "", "" },
            { "CaptionWithoutPatterns", "Task Lists (*.agl)", "" },
            { "EmptyPatterns", "Task Lists (*.agl)| ; ", "" },
            { "UnpairedCaptionAtTheEndIsLeftOut", "Task Lists (*.agl)|*.agl|Other", "Task Lists (*.agl)" },
            { "PatternsWithoutCaption", "|*.agl", "*.agl" },
            { "CaptionWithoutParentheses", "Task Lists|*.agl", "Task Lists (*.agl)" },
            { "CaptionNamingItsPattern", "Task Lists (*.agl)|*.agl", "Task Lists (*.agl)" },
            { "SemicolonsBecomeBlanks", "All Task Lists (*.agl; *.cti)|*.agl;*.cti",
                "All Task Lists (*.agl *.cti)" },
            { "ParenthesesThatAreNotThePatternsStay", "Lists (old)|*.lst", "Lists (old) (*.lst)" },
            { "TheSaveDialog",
                "Task Lists (*.agl)|*.agl|Completed Task Lists (*.cti)|*.cti|All Task Lists (*.agl; "
                "*.cti)|*.agl;*.cti",
                "Task Lists (*.agl);;Completed Task Lists (*.cti);;All Task Lists (*.agl *.cti)" },
        };
        for (const Case& c : cases)
            EXPECT_EQ(QtFileDialogFilter(c.Filter), c.Expected) << c.Name;
    }

} // namespace
} // namespace agendrix
