// The supporting text as the edit control and the student meet it: its
// encoding and line structure, the requirements table and the colour key.
#include "dialog/SupportTextDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace qv {
namespace {

std::vector<std::string> SplitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end = text.find(separator); end != std::string_view::npos; end = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, end - start));
        start = end + separator.size();
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

// Blocks are the runs of non-blank lines.
std::vector<std::vector<std::string>> Blocks(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> blocks(1);
    for (const std::string& line : lines) {
        if (line.empty()) {
            blocks.emplace_back();
        } else {
            blocks.back().push_back(line);
        }
    }
    return blocks;
}

// The cells of a table line, separated by runs of two or more spaces, with
// the column each starts in.
struct Cell {
    std::string text;
    std::size_t column;
};

std::vector<Cell> Cells(const std::string& line) {
    std::vector<Cell> cells;
    std::size_t at = line.find_first_not_of(' ');
    while (at != std::string::npos) {
        std::size_t end = line.find("  ", at);
        end = end == std::string::npos ? line.size() : end;
        cells.push_back(Cell{line.substr(at, end - at), at});
        at = line.find_first_not_of(' ', end);
    }
    return cells;
}

bool IsRule(const std::string& line) {
    const std::vector<Cell> cells = Cells(line);
    return cells.size() == 1 && cells[0].text.size() >= 10 && cells[0].text.find_first_not_of('-') == std::string::npos;
}

std::vector<std::string> TextLines() { return SplitAt(kSupportText, "\r\n"); }

TEST(SupportTextTest, IsTwentyLinesOfPlainAsciiJoinedByCrLf) {
    const std::string_view text(kSupportText);
    EXPECT_GE(text.size(), 3300U);
    EXPECT_LE(text.size(), 3500U);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool printable = c >= 0x20 && c < 0x7F;
        EXPECT_TRUE(printable || c == '\r' || c == '\n') << "character " << static_cast<int>(c) << " at " << i;
        if (c == '\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR at " << i;
        }
        if (c == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF at " << i;
        }
    }
    const std::vector<std::string> lines = TextLines();
    ASSERT_EQ(lines.size(), 20U);
    EXPECT_FALSE(lines.front().empty());
    EXPECT_FALSE(lines.back().empty());
}

// One line per paragraph and eight for the table, one blank line between
// blocks; each block on its own subject, in the order a student needs them.
TEST(SupportTextTest, HasSevenBlocksInOrder) {
    const std::vector<std::vector<std::string>> blocks = Blocks(TextLines());
    ASSERT_EQ(blocks.size(), 7U);
    struct Expected {
        std::size_t lines;
        const char* subject;
    };
    const Expected expected[] = {
        {1, "peak detector follows the envelope"},
        {1, "CISPR"},
        {8, "Frequency Band"},
        {1, "Band A covers 10 to 150 kHz"},
        {1, "1, 3, 10"},
        {1, "metered output"},
        {1, "video bandwidth of 1%"},
    };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].size(), expected[i].lines) << "block " << i + 1;
        EXPECT_NE(blocks[i].front().find(expected[i].subject), std::string::npos) << "block " << i + 1;
    }
    EXPECT_NE(blocks[3][0].find("critically damped"), std::string::npos);
    EXPECT_NE(blocks[4][0].find("Gaussian"), std::string::npos);
}

TEST(SupportTextTest, TableHasItsHeadingsAndAlignedRows) {
    const std::vector<std::string> table = Blocks(TextLines())[2];
    ASSERT_EQ(table.size(), 8U);
    const std::vector<Cell> band = Cells(table[0]);
    ASSERT_EQ(band.size(), 1U);
    EXPECT_EQ(band[0].text, "Frequency Band");
    EXPECT_TRUE(IsRule(table[1])) << table[1];
    EXPECT_TRUE(IsRule(table[3])) << table[3];

    const std::vector<Cell> heads = Cells(table[2]);
    ASSERT_EQ(heads.size(), 3U);
    EXPECT_EQ(heads[0].text, "A");
    EXPECT_EQ(heads[1].text, "B");
    EXPECT_EQ(heads[2].text, "C and D");
    EXPECT_EQ(band[0].column, heads[0].column) << "the band heading stands over the columns";

    const std::vector<std::vector<std::string>> rows = {
        {"Bandwidth at 6 dB:", "200 Hz", "9 kHz", "120 kHz"},
        {"Charge time constant:", "45 ms", "1 ms", "1 ms"},
        {"Discharge time constant:", "500 ms", "160 ms", "550 ms"},
        {"Meter time constant:", "160 ms", "160 ms", "100 ms"},
    };
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::vector<Cell> cells = Cells(table[4 + row]);
        ASSERT_EQ(cells.size(), 4U) << table[4 + row];
        EXPECT_EQ(cells[0].column, 0U) << "the label starts the line";
        for (std::size_t column = 0; column < 4; ++column) {
            EXPECT_EQ(cells[column].text, rows[row][column]);
            if (column > 0) {
                EXPECT_EQ(cells[column].column, heads[column - 1].column) << rows[row][column] << " under its head";
            }
        }
    }
}

// Each colour is named in the same sentence as the trace it stands for.
TEST(SupportTextTest, GivesTheColourOfEachTrace) {
    const std::vector<std::string> sentences = SplitAt(kSupportText, ". ");
    struct Key {
        const char* colour;
        const char* trace;
    };
    for (const Key key : {Key{"black", "envelope"}, Key{"red", "peak detection"}, Key{"blue", "quasi-peak"},
                          Key{"green", "meter time constant"}, Key{"purple", "Average detection"}}) {
        int found = 0;
        for (const std::string& sentence : sentences) {
            if (sentence.find(std::string(" ") + key.colour) != std::string::npos) {
                ++found;
                EXPECT_NE(sentence.find(key.trace), std::string::npos) << key.colour << ": " << sentence;
            }
        }
        EXPECT_EQ(found, 1) << key.colour << " is named once";
    }
}

} // namespace
} // namespace qv
