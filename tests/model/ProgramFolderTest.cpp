#include "model/ProgramFolder.h"

#include "ModelTest.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

namespace agendrix {
namespace {

    // A process of /bin/sleep started with exactly the given environment; its folder has no Skins.
    class SleepingProcess {
    public:
        explicit SleepingProcess(std::vector<std::string> environment)
            : Environment(std::move(environment))
        {
            std::vector<char*> variables;
            for (std::string& variable : Environment)
                variables.push_back(variable.data());
            variables.push_back(nullptr);
            char program[] = "/bin/sleep";
            char seconds[] = "30";
            char* arguments[] = { program, seconds, nullptr };
            if (::posix_spawn(&Pid, program, nullptr, nullptr, arguments, variables.data()) != 0)
                Pid = 0;
        }
        ~SleepingProcess() { End(); }
        void End()
        {
            if (Pid > 0) {
                ::kill(Pid, SIGKILL);
                ::waitpid(Pid, nullptr, 0);
            }
        }

        std::vector<std::string> Environment;
        pid_t Pid = 0;
    };

    TEST(ProgramFolderTest, AnotherProcessFindsItsFolderFromTheEnvironmentItStartedWith)
    {
        const std::tuple<const char*, std::vector<std::string>, std::optional<std::string>> cases[] = {
            { "emptyAgendrixHome", { "AGENDRIX_HOME=", "HOME=/home/zo\xC3\xAB" },
                "/home/zo\xC3\xAB/.local/share/agendrix" },
            { "noVariables", {}, std::nullopt },
            { "agendrixHome", { "HOME=/home/zoe", "AGENDRIX_HOME=/srv/lists" }, "/srv/lists" },
            { "xdgDataHome", { "XDG_DATA_HOME=/data", "HOME=/home/zoe", "PATH=/bin" }, "/data/agendrix" },
            { "homeOnly", { "HOME=/home/zoe" }, "/home/zoe/.local/share/agendrix" },
            { "valueWithEquals", { "AGENDRIX_HOME=/srv/a=b" }, "/srv/a=b" },
        };
        for (const auto& [name, environment, folder] : cases) {
            SleepingProcess process(environment);
            ASSERT_GT(process.Pid, 0) << name;
            // The parent goes on before the new program has set up its environment.
            std::optional<std::string> found;
            for (int i = 0; i < 500 && !(found = ProgramFolderOfProcess(process.Pid)) && folder; ++i)
                ::usleep(2000);
            EXPECT_EQ(found, folder) << name;
            process.End();
            EXPECT_EQ(ProgramFolderOfProcess(process.Pid), std::nullopt) << name << ", ended";
        }
    }

} // namespace
} // namespace agendrix
