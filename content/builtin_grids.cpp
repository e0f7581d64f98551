// The description lines of the built-in grids, stored as plain text, and the codes of grid numbers 1..5.
#include "content/collection.h"

namespace {

const char* const kLines1950_49[] = {
    "# 1950-49 line 1",
    "# 1950-49 line 2",
    "# 1950-49 line 3",
    "# 1950-49 line 4",
    "# 1950-49 line 5",
    "# 1950-49 line 6",
    "# 1950-49 line 7",
    "# 1950-49 line 8",
    "# 1950-49 line 9",
    "# 1950-49 line 10",
};

const char* const kLines2214_7[] = {
    "# 2214-7 line 1",
    "# 2214-7 line 2",
    "# 2214-7 line 3",
    "# 2214-7 line 4",
    "# 2214-7 line 5",
    "# 2214-7 line 6",
    "# 2214-7 line 7",
    "# 2214-7 line 8",
    "# 2214-7 line 9",
    "# 2214-7 line 10",
    "# 2214-7 line 11",
    "# 2214-7 line 12",
};

const char* const kLines2105_9[] = {
    "# 2105-9 line 1",
    "# 2105-9 line 2",
    "# 2105-9 line 3",
    "# 2105-9 line 4",
    "# 2105-9 line 5",
    "# 2105-9 line 6",
    "# 2105-9 line 7",
    "# 2105-9 line 8",
    "# 2105-9 line 9",
    "# 2105-9 line 10",
    "# 2105-9 line 11",
    "# 2105-9 line 12",
    "# 2105-9 line 13",
    "# 2105-9 line 14",
};

const char* const kLines2042_13[] = {
    "# 2042-13 line 1",
    "# 2042-13 line 2",
    "# 2042-13 line 3",
    "# 2042-13 line 4",
    "# 2042-13 line 5",
    "# 2042-13 line 6",
    "# 2042-13 line 7",
    "# 2042-13 line 8",
    "# 2042-13 line 9",
    "# 2042-13 line 10",
    "# 2042-13 line 11",
    "# 2042-13 line 12",
    "# 2042-13 line 13",
    "# 2042-13 line 14",
    "# 2042-13 line 15",
    "# 2042-13 line 16",
};

const char* const kLines2330_1[] = {
    "# 2330-1 line 1",
    "# 2330-1 line 2",
    "# 2330-1 line 3",
    "# 2330-1 line 4",
    "# 2330-1 line 5",
    "# 2330-1 line 6",
    "# 2330-1 line 7",
    "# 2330-1 line 8",
    "# 2330-1 line 9",
    "# 2330-1 line 10",
    "# 2330-1 line 11",
    "# 2330-1 line 12",
    "# 2330-1 line 13",
    "# 2330-1 line 14",
    "# 2330-1 line 15",
    "# 2330-1 line 16",
    "# 2330-1 line 17",
    "# 2330-1 line 18",
    "# 2330-1 line 19",
    "# 2330-1 line 20",
    "# 2330-1 line 21",
};

const char* const kLines1251_1[] = {
    "# 1251-1 line 1",
    "# 1251-1 line 2",
    "# 1251-1 line 3",
    "# 1251-1 line 4",
    "# 1251-1 line 5",
};

const char* const kLines1251_2[] = {
    "# 1251-2 line 1",
    "# 1251-2 line 2",
    "# 1251-2 line 3",
    "# 1251-2 line 4",
    "# 1251-2 line 5",
    "# 1251-2 line 6",
};

const char* const kLines1251_3[] = {
    "# 1251-3 line 1",
    "# 1251-3 line 2",
    "# 1251-3 line 3",
    "# 1251-3 line 4",
    "# 1251-3 line 5",
    "# 1251-3 line 6",
};

const char* const kLines1222_65[] = {
    "# 1222-65 line 1",
    "# 1222-65 line 2",
    "# 1222-65 line 3",
    "# 1222-65 line 4",
    "# 1222-65 line 5",
};

const char* const kLines1239_1[] = {
    "# 1239-1 line 1",
    "# 1239-1 line 2",
    "# 1239-1 line 3",
    "# 1239-1 line 4",
    "# 1239-1 line 5",
    "# 1239-1 line 6",
    "# 1239-1 line 7",
    "# 1239-1 line 8",
    "# 1239-1 line 9",
    "# 1239-1 line 10",
    "# 1239-1 line 11",
    "# 1239-1 line 12",
    "# 1239-1 line 13",
};

const BuiltInGrid kTable[] = {
    {"1950-49", 3, 10, kLines1950_49},
    {"2214-7", 4, 12, kLines2214_7},
    {"2105-9", 5, 14, kLines2105_9},
    {"2042-13", 6, 16, kLines2042_13},
    {"2330-1", 6, 21, kLines2330_1},
    {"1251-1", 2, 5, kLines1251_1},
    {"1251-2", 3, 6, kLines1251_2},
    {"1251-3", 4, 6, kLines1251_3},
    {"1222-65", 5, 5, kLines1222_65},
    {"1239-1", 6, 13, kLines1239_1},
};

}  // namespace

const BuiltInGrid* builtInGridTable(int16_t& count) {
    count = static_cast<int16_t>(sizeof(kTable) / sizeof(kTable[0]));
    return kTable;
}

const char* builtInGridCodeList() { return "1251-1,1950-49,2214-7,2105-9,2330-1"; }
