#include "environment/JavaVariables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kelvane {
namespace {

const std::string kClassPath = ".;%JAVA_HOME%\\lib\\dt.jar;%JAVA_HOME%\\lib\\tools.jar;";
const std::string kPrefix = "%JAVA_HOME%\\bin;%JAVA_HOME%\\jre\\bin;";

// Records every request as "read NAME" or "write NAME=VALUE", and refuses the writes of the
// names it is told to.
class FakeStore : public VariableStore {
  public:
    Text Read(std::string_view name, bool& convertedWithLoss) override {
        calls.push_back("read " + std::string(name));
        convertedWithLoss = pathLossy;
        return oldPath;
    }
    bool Write(std::string_view name, std::string_view value) override {
        calls.push_back("write " + std::string(name) + "=" + std::string(value));
        return refused.count(std::string(name)) == 0;
    }

    std::string oldPath;
    bool pathLossy = false;
    std::set<std::string> refused;
    std::vector<std::string> calls;
};

TEST(WriteJavaVariables, WritesTheThreeVariablesInOrder) {
    FakeStore store;
    store.oldPath = "C:\\Windows;C:\\Java\\bin;D:\\\xB9\xA4\xBE\xDF";

    const TextArray failed = WriteJavaVariables(store, " C:\\jdk\\ ");

    EXPECT_TRUE(failed.empty());
    EXPECT_EQ(store.calls, (std::vector<std::string>{
                               "write CLASSPATH=" + kClassPath,
                               "write JAVA_HOME= C:\\jdk\\ ", // not trimmed, nothing added
                               "read Path",
                               "write Path=" + kPrefix + "C:\\Windows;D:\\\xB9\xA4\xBE\xDF",
                           }));
}

TEST(WriteJavaVariables, WritesAnEmptyJavaHomeAndAnEmptyPathsPrefix) {
    FakeStore store;

    EXPECT_TRUE(WriteJavaVariables(store, "").empty());
    EXPECT_EQ(store.calls,
              (std::vector<std::string>{"write CLASSPATH=" + kClassPath,
                                        "write JAVA_HOME=", "read Path", "write Path=" + kPrefix}));
}

TEST(WriteJavaVariables, AttemptsEveryWriteAndNamesTheFailedOnesInOrder) {
    const struct {
        std::set<std::string> refused;
        bool pathLossy;
        TextArray failed;
        bool pathWritten;
    } cases[] = {
        {{"CLASSPATH"}, false, {"CLASSPATH"}, true},
        {{"JAVA_HOME"}, false, {"JAVA_HOME"}, true},
        {{"Path"}, false, {"Path"}, true},
        {{"CLASSPATH", "JAVA_HOME", "Path"}, false, {"CLASSPATH", "JAVA_HOME", "Path"}, true},
        // Written back, the characters that came out as '?' would damage the entries.
        {{}, true, {"Path"}, false},
        {{"JAVA_HOME"}, true, {"JAVA_HOME", "Path"}, false},
    };
    for (const auto& c : cases) {
        FakeStore store;
        store.oldPath = "C:\\?;C:\\A";
        store.refused = c.refused;
        store.pathLossy = c.pathLossy;

        EXPECT_EQ(WriteJavaVariables(store, "C:\\jdk"), c.failed);

        std::vector<std::string> expected = {"write CLASSPATH=" + kClassPath,
                                             "write JAVA_HOME=C:\\jdk", "read Path"};
        if (c.pathWritten) {
            expected.push_back("write Path=" + kPrefix + "C:\\?;C:\\A");
        }
        EXPECT_EQ(store.calls, expected);
    }
}

TEST(ConfigureMessage, SaysDoneOnlyWhenNothingFailed) {
    EXPECT_EQ(ConfigureMessage({}), "\xC5\xE4\xD6\xC3\xCD\xEA\xB3\xC9!"); // 配置完成!
}

TEST(ConfigureMessage, NamesTheFailedVariablesOnTheirOwnLine) {
    const std::string failedLine = "\xC5\xE4\xD6\xC3\xCA\xA7\xB0\xDC!"; // 配置失败!
    // 未能写入的系统环境变量：
    const std::string lead = "\xCE\xB4\xC4\xDC\xD0\xB4\xC8\xEB\xB5\xC4\xCF\xB5\xCD\xB3\xBB\xB7"
                             "\xBE\xB3\xB1\xE4\xC1\xBF\xA3\xBA";
    const std::string join = "\xA1\xA2"; // 、
    // 请以管理员身份运行本程序后重试。
    const std::string advice = "\xC7\xEB\xD2\xD4\xB9\xDC\xC0\xED\xD4\xB1\xC9\xED\xB7\xDD\xD4\xCB"
                               "\xD0\xD0\xB1\xBE\xB3\xCC\xD0\xF2\xBA\xF3\xD6\xD8\xCA\xD4\xA1\xA3";

    EXPECT_EQ(ConfigureMessage({"Path"}), failedLine + "\r\n" + lead + "Path\r\n" + advice);
    EXPECT_EQ(ConfigureMessage({"CLASSPATH", "JAVA_HOME", "Path"}),
              failedLine + "\r\n" + lead + "CLASSPATH" + join + "JAVA_HOME" + join + "Path\r\n" +
                  advice);
}

} // namespace
} // namespace kelvane
