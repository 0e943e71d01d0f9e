// The process queries, asked of this test process and of a child (ProcessProbe) started with
// known arguments, directory and environment.
#include "environment/SystemEnvironment.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "environment/WideText.h"

namespace kelvane {
namespace {

std::wstring OwnDirectory() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L'\\'));
}

Text FromHex(const std::string& hex) {
    Text text;
    for (std::size_t k = 0; k + 1 < hex.size(); k += 2) {
        text += static_cast<char>(std::stoi(hex.substr(k, 2), nullptr, 16));
    }
    return text;
}

struct ProbeAnswers {
    int count = -1;
    int size = -1;
    TextArray arguments;
    std::map<std::string, Text> texts;
};

// Runs the probe at probePath with the text after its name on the command line, in directory,
// with environment (a block of "NAME=value" entries) or this process's own; waits at most 60 s.
std::optional<ProbeAnswers> RunProbe(const std::wstring& probePath, const std::wstring& arguments,
                                     const std::wstring& directory,
                                     const std::optional<std::wstring>& environment) {
    wchar_t outputPath[MAX_PATH] = {};
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    if (GetTempFileNameW(temporary, L"prb", 0, outputPath) == 0) {
        return std::nullopt;
    }
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath, GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + probePath + L"\"" + arguments;
    std::wstring block = environment.value_or(L"");
    const BOOL started = CreateProcessW(
        probePath.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
        environment ? block.data() : nullptr, directory.c_str(), &startup, &process);
    CloseHandle(output);
    if (!started) {
        ADD_FAILURE() << "the probe did not start: " << GetLastError();
        DeleteFileW(outputPath);
        return std::nullopt;
    }
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    ProbeAnswers answers;
    FILE* file = _wfopen(outputPath, L"r");
    if (file != nullptr) {
        char key[32] = {};
        static char value[200000];
        while (std::fscanf(file, "%31s", key) == 1) {
            if (std::string(key) == "count") {
                std::fscanf(file, "%d %d", &answers.count, &answers.size);
                continue;
            }
            value[0] = '\0';
            std::fscanf(file, "%*[ ]%199999[0-9A-F]", value);
            if (std::string(key) == "argument") {
                answers.arguments.push_back(FromHex(value));
            } else {
                answers.texts[key] = FromHex(value);
            }
        }
        std::fclose(file);
    }
    DeleteFileW(outputPath);
    return answers;
}

// This process's environment block with COMSPEC left out or set to comSpec.
std::wstring EnvironmentWith(const std::optional<std::wstring>& comSpec) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        if (_wcsnicmp(entry, L"COMSPEC=", 8) != 0) {
            block.append(entry).push_back(L'\0');
        }
    }
    FreeEnvironmentStringsW(strings);
    if (comSpec) {
        block.append(L"COMSPEC=" + *comSpec).push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

const std::wstring kProbeName = L"kelvane_process_probe.exe";

TEST(ProcessQueries, ArgumentsComeAsGbkWithoutTheirQuotes) {
    const std::wstring probe = OwnDirectory() + L"\\" + kProbeName;
    struct Case {
        const char* name;
        std::wstring commandLine;
        TextArray expected;
    };
    const Case cases[] = {
        {"none", L"", {}},
        {"none, trailing spaces", L"   ", {}},
        {"a switch and a quoted path", L" /a \"C:\\Program Files\"", {"/a", "C:\\Program Files"}},
        {"Chinese", L" \u4E2D\u6587 x", {"\xD6\xD0\xCE\xC4", "x"}},
        {"a character GBK lacks", L" a\u0E01b", {"a?b"}},
        {"an empty argument", L" \"\" end", {"", "end"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto answers = RunProbe(probe, c.commandLine, OwnDirectory(), std::nullopt);
        ASSERT_TRUE(answers.has_value());
        EXPECT_EQ(answers->count, static_cast<int>(c.expected.size()));
        EXPECT_EQ(answers->size, static_cast<int>(c.expected.size()));
        EXPECT_EQ(answers->arguments, c.expected);
    }
}

TEST(ProcessQueries, OwnFileNameWithAndWithoutThePath) {
    SystemEnvironment environment;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const Text expected = WideToAnsi(std::wstring_view(path, length));
    EXPECT_EQ(environment.GetOwnFileName(true), expected);
    EXPECT_EQ(environment.GetOwnFileName(false), "kelvane_environment_tests.exe");
    EXPECT_EQ(environment.GetOwnFileName(std::nullopt), "kelvane_environment_tests.exe");
}

TEST(ProcessQueries, WorkingDirectoryIsTheOneTheProcessStartedIn) {
    auto answers = RunProbe(OwnDirectory() + L"\\" + kProbeName, L"", OwnDirectory(), std::nullopt);
    ASSERT_TRUE(answers.has_value());
    EXPECT_EQ(answers->texts["directory"], WideToAnsi(OwnDirectory()));
}

TEST(ProcessQueries, CommandInterpreterIsComSpecWhole) {
    SystemEnvironment environment;
    const Text saved = environment.GetCommandInterpreter();
    EXPECT_FALSE(saved.empty()); // Wine sets it for every process
    struct Case {
        const char* name;
        const wchar_t* value; // null: unset
        Text expected;
    };
    const std::wstring longValue = L"C:\\" + std::wstring(300, L'x') + L"\\cmd.exe";
    const Case cases[] = {
        {"unset", nullptr, ""},
        {"ordinary", L"C:\\windows\\system32\\cmd.exe", "C:\\windows\\system32\\cmd.exe"},
        {"longer than 256 bytes", longValue.c_str(), "C:\\" + Text(300, 'x') + "\\cmd.exe"},
        {"Chinese", L"D:\\\u4E2D\\cmd.exe", "D:\\\xD6\xD0\\cmd.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SetEnvironmentVariableW(L"COMSPEC", c.value) || c.value == nullptr);
        EXPECT_EQ(environment.GetCommandInterpreter(), c.expected);
    }
    SetEnvironmentVariableA("COMSPEC", saved.c_str());
}

// A directory, an executable path and a COMSPEC longer than 256 bytes come whole.
TEST(ProcessQueries, LongDirectoryAndExecutablePathComeWhole) {
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    // Chinese names as well: their GBK form is longer than their UTF-16 one.
    std::wstring directory = std::wstring(temporary) + L"kelvane-\u957F";
    while (directory.size() < 230) {
        directory += L"\\" + std::wstring(std::min<std::size_t>(40, 230 - directory.size()), L'd');
    }
    std::wstring deep = directory + L"\\\u76EE\u5F55";
    deep.resize(257, L'e');
    const std::wstring fileName = L"\u7A0B\u5E8F" + std::wstring(20, L'p') + L".exe";
    const std::wstring longProbe = directory + L"\\" + fileName;
    ASSERT_GT(WideToAnsi(longProbe).size(), 256u);
    ASSERT_LT(longProbe.size(), static_cast<std::size_t>(MAX_PATH));
    for (std::size_t end = deep.find(L'\\', 3); end != std::wstring::npos;
         end = deep.find(L'\\', end + 1)) {
        CreateDirectoryW((L"\\\\?\\" + deep.substr(0, end)).c_str(), nullptr);
    }
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CopyFileW((OwnDirectory() + L"\\" + kProbeName).c_str(),
                          (L"\\\\?\\" + longProbe).c_str(), FALSE));

    const std::wstring longComSpec = L"C:\\" + std::wstring(280, L'c') + L".exe";
    auto answers = RunProbe(longProbe, L"", deep, EnvironmentWith(longComSpec));
    auto withoutComSpec =
        RunProbe(OwnDirectory() + L"\\" + kProbeName, L"", OwnDirectory(), EnvironmentWith({}));

    DeleteFileW((L"\\\\?\\" + longProbe).c_str());
    for (std::wstring remove = deep; remove.size() > std::wstring(temporary).size();
         remove = remove.substr(0, remove.find_last_of(L'\\'))) {
        RemoveDirectoryW((L"\\\\?\\" + remove).c_str());
    }

    ASSERT_TRUE(answers.has_value());
    EXPECT_EQ(answers->texts["directory"], WideToAnsi(deep));
    EXPECT_EQ(answers->texts["path"], WideToAnsi(longProbe));
    EXPECT_EQ(answers->texts["name"], WideToAnsi(fileName));
    EXPECT_EQ(answers->texts["interpreter"], WideToAnsi(longComSpec));
    ASSERT_TRUE(withoutComSpec.has_value());
    EXPECT_EQ(withoutComSpec->texts["interpreter"], "");
}

} // namespace
} // namespace kelvane
