#include "platform/StringList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "support/ErrorMatchers.h"

namespace pw {
namespace {

std::vector<std::string> Lines(const TStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
    return lines;
}

struct Marker : TObject {
    explicit Marker(int* destroyed) : destroyed_(destroyed) {}
    ~Marker() override { ++*destroyed_; }
    int* destroyed_;
};

TEST(StringList, AddObjectsAndAddStrings) {
    int destroyed = 0;
    {
        TStringList list;
        EXPECT_EQ(list.Add("a"), 0);
        EXPECT_EQ(list.AddObject("b", std::make_unique<Marker>(&destroyed)), 1);
        EXPECT_EQ(list.Objects(0), nullptr);
        EXPECT_NE(list.Objects(1), nullptr);
        TStringList copy;
        copy.Add("x");
        copy.AddStrings(list);
        EXPECT_EQ(Lines(copy), (std::vector<std::string>{"x", "a", "b"}));
        EXPECT_EQ(copy.Objects(2), nullptr) << "objects stay with their owner";
        TStringList moved;
        moved.AddStrings(std::move(copy));
        moved.AddStrings(std::move(list));
        EXPECT_EQ(destroyed, 1) << "moving frees the objects of the source";
        EXPECT_EQ(Lines(moved), (std::vector<std::string>{"x", "a", "b", "a", "b"}));
        EXPECT_EQ(moved.Objects(4), nullptr);
        EXPECT_EQ(list.Count(), 0);
        EXPECT_ERROR(moved.Strings(5), EListError, "List index out of bounds (5)");
        EXPECT_ERROR(moved.Objects(-1), EListError, "List index out of bounds (-1)");
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(StringList, CommaText) {
    struct Case {
        std::string text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"1-3,7", {"1-3", "7"}},
        {"  1 3 ", {"1", "3"}},
        {"2 - 4", {"2", "-", "4"}},
        {"1,,2", {"1", "", "2"}},
        {"1, ,2", {"1", "", "2"}},
        {",1", {"", "1"}},
        {"1,", {"1", ""}},
        {"1, ", {"1"}},
        {"   ", {}},
        {"\"a b\",\"say \"\"hi\"\"\"", {"a b", "say \"hi\""}},
        {"\"open", {"open"}},
        {"a\tb\nc", {"a", "b", "c"}},
        {"\xE9t\xE9,x", {"\xE9t\xE9", "x"}},
        {std::string("1,2\0,3", 6), {"1", "2"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.Add("old");
        list.SetCommaText(c.text);
        EXPECT_EQ(Lines(list), c.items) << c.text;
    }
}

TEST(StringList, SaveToFileWritesCrLfAfterEveryLineBytesUnchanged) {
    const auto path = std::filesystem::temp_directory_path() / ("pw_stringlist_" + std::to_string(getpid()) + ".txt");
    {
        std::ofstream old(path);
        old << "previous content that is longer than the new one";
    }
    TStringList list;
    list.Add("caf\xE9");
    list.Add("");
    list.Add(std::string("a\0b\n", 4));
    list.SaveToFile(path.string());
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), std::string("caf\xE9\r\n\r\na\0b\n\r\n", 14));

    TStringList empty;
    empty.SaveToFile(path.string());
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    std::filesystem::remove(path);

    EXPECT_THROW(list.SaveToFile("/nonexistent-folder/x.txt"), EFOpenError);
}

}  // namespace
}  // namespace pw
