// Fuzz target: grid description lines cut into entries, each entry read, written back and read again, and a grid built.
#include <string>

#include "content/collection.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "puzzle/lattice.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// What the written form of an entry keeps: the value only from 1..6, a mark and percentage only with a value.
DescriptionEntry keptByWriting(DescriptionEntry e) {
    if (!e.isCell || e.value < 1 || e.value > 6) {
        e.value = 0;
        e.mark = 0;
        e.percent = 0;
    }
    if (e.mark < 0 || e.mark > 16) e.mark = 0;
    if (e.percent < 50) e.percent = 0;
    return e;
}

bool sameEntry(const DescriptionEntry& a, const DescriptionEntry& b) {
    return a.isHexagon == b.isHexagon && a.isCell == b.isCell && (!a.isCell || a.sideAB == b.sideAB) &&
           a.value == b.value && a.mark == b.mark && a.percent == b.percent && a.position.s == b.position.s;
}

bool isSortedSet(const TextList& list) {
    for (int i = 2; i <= list.count(); ++i)
        if (foldedOrder(list.str(i - 1), list.str(i)) >= 0) return false;
    return true;
}

void checkDescription(std::string_view input) {
    // The input is description lines, cut into entries as the loader cuts them.
    TextList lines;
    size_t from = 0;
    while (from <= input.size()) {
        size_t end = input.find('\n', from);
        if (end == std::string_view::npos) end = input.size();
        lines.add(input.substr(from, end - from));
        from = end + 1;
    }
    TextList entries;
    appendDescriptionEntries(lines, entries);

    DescriptionEntry e, back;
    for (const std::string& text : entries.items) {
        if (!parseDescriptionEntry(text, e)) continue;
        FUZZ_CHECK(e.position.length() <= kExpandedPathRoom, input);
        FUZZ_CHECK(normalisePoint(e.position) == e.position.s, input);
        FUZZ_CHECK(e.value >= 0 && e.value <= 6, input);
        // Written and read again, an entry keeps everything its written form holds, and writes alike.
        TextString written = writeDescriptionEntry(e);
        FUZZ_CHECK(parseDescriptionEntry(written, back), input);
        FUZZ_CHECK(sameEntry(back, keptByWriting(e)), input);
        FUZZ_CHECK(writeDescriptionEntry(back) == written, input);
    }

    // A grid built from the first entries: its lists are sorted sets of canonical names.
    static Grid grid;
    static bool created = false;
    if (!created) {
        createGrid(grid);
        created = true;
    }
    TextList some;
    for (int i = 1; i <= entries.count() && i <= 48; ++i) some.add(entries.str(i));
    setfromgrivecdef(grid, some);
    FUZZ_CHECK(isSortedSet(grid.cellNames), input);
    FUZZ_CHECK(isSortedSet(grid.hexagons), input);
    for (const std::string& name : grid.cellNames.items) FUZZ_CHECK(normaliseTriangle(name) == name, input);
    for (const std::string& point : grid.hexagons.items) FUZZ_CHECK(normalisePoint(point) == point, input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runTimed(data, size, checkDescription);
    return 0;
}
