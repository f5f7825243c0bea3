#include "model/ListCopy.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    TEST(ListCopyTest, EveryDescriptionOnALineOfItsOwnAsUtf8)
    {
        const struct {
            const char* Name;
            std::vector<std::string> Lines;
            std::string Text;
        } cases[] = {
            { "lineWithoutTabs", { "04" }, "\r\n" },
            { "emptyDescription", { "04\t\tinfo\t0\t\t1\t0\t" }, "\r\n" },
            { "emptyList", {}, "" },
            { "windows1252Characters",
                { "04\tPay \x80"
                  "5 for \x9C"
                  "uvres\tcaf\xE9\t0\t\t1\t0\t" },
                "Pay €5 for œuvres\r\n" },
            { "completedIncludedInListOrder",
                { "10\t2026/12/01 - Milk\t\t0\t\t1\t0\t", "02\tRent\tdue\xB6soon\t0\t\t1\t0\t",
                    "09\tCall Bob\t\t0\t\t1\t0\t/home/b.txt" },
                "Rent\r\nCall Bob\r\n2026/12/01 - Milk\r\n" },
        };
        for (const auto& c : cases) {
            TaskStore store;
            store.Load(c.Lines);
            EXPECT_EQ(ListCopyText(store.Lines()), c.Text) << c.Name;
        }
    }

} // namespace
} // namespace agendrix
