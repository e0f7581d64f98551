// Fuzz target: cell codes of grid descriptions, read as the lattice reads them and as the grid builder does.
#include <string>

#include "puzzle/description.h"
#include "puzzle/lattice.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void checkCode(std::string_view input) {
    CellCode code;
    readCellCode(code, input);
    FUZZ_CHECK(code.value >= 0 && code.value <= 6, input);
    FUZZ_CHECK(code.hasSide || (code.value == 0 && code.percent == 0), input);

    std::string cell = cellReadout(code);
    std::string hexagon = hexagonReadout(code);
    FUZZ_CHECK(cell.empty() == !code.hasSide, input);
    FUZZ_CHECK(hexagon.empty() || code.marked, input);
    if (code.hasSide) {
        // The read-out is a canonical cell name that reads back as itself.
        FUZZ_CHECK(normaliseTriangle(cell) == cell, input);
        FUZZ_CHECK(isTriangleAB(cell) == (code.sideAB != 0), input);
        CellCode again;
        readCellCode(again, cell);
        FUZZ_CHECK(again.hasSide && again.sideAB == code.sideAB && again.value == 0, input);
        FUZZ_CHECK(cellReadout(again) == cell, input);
    }
    if (code.marked) FUZZ_CHECK(normalisePoint(hexagon) == hexagon, input);

    // The grid builder reads the same grammar: where it takes the entry, both agree.
    DescriptionEntry entry;
    if (parseDescriptionEntry(input, entry)) {
        FUZZ_CHECK(entry.isHexagon == code.marked, input);
        FUZZ_CHECK(entry.isCell == code.hasSide, input);
        if (entry.isCell) {
            FUZZ_CHECK(entryCellName(entry).s == cell, input);
            FUZZ_CHECK(entry.value == code.value, input);
            FUZZ_CHECK(entry.percent == code.percent, input);
        }
    }

    // The long form of the code (value letter, mark, percentage) reads back field for field.
    if (code.hasSide && code.value > 0 && cell.size() <= 80) {
        std::string path = cell.substr(0, cell.find(':'));
        std::string written = (code.marked ? "X" : "") + path + (code.sideAB ? "W" : "V") +
                              static_cast<char>('P' + code.value - 1) + "J%" + numberText(code.percent);
        CellCode back;
        readCellCode(back, written);
        FUZZ_CHECK(back.value == code.value && back.percent == code.percent && back.sideAB == code.sideAB &&
                       back.marked == code.marked && cellReadout(back) == cell,
                   input);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runTimed(data, size, checkCode);
    return 0;
}
