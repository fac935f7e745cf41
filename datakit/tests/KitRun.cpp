#include "KitRun.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

KitRun RunKitTool(const std::string& sources, const std::string& program, const TempDir& scratch) {
    const std::string errorsPath = scratch / "tool-errors.txt";
    const std::string outputPath = scratch / "tool-output.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::string tool = DATAKIT_TOOL;
    std::vector<char*> argv{tool.data(), const_cast<char*>(sources.c_str()),
                            const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    KitRun run;
    const int spawned = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << tool;
        return run;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    run.errors = ReadWholeFile(errorsPath);
    return run;
}

std::string ExpectedKitBytes(const std::string& utf8Source) {
    EXPECT_EQ(utf8Source.find('\r'), std::string::npos) << "kit sources keep LF line ends";
    std::string crlf;
    for (char c : utf8Source) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    auto sjis = cp932::FromUtf8Strict(crlf);
    EXPECT_TRUE(sjis.has_value()) << "not code-page-932 text";
    return sjis.value_or(std::string());
}

std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
