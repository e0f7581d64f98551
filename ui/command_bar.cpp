// The command bar's portable part: row layout, controls, selector geometry, labels and enabling rules.
#include "ui/command_bar.h"

BarLayout computeBarLayout(bool gridButtons, bool chronoField) {
    BarLayout b;
    b.gridButtons = gridButtons ? 1 : 0;
    b.chronoField = chronoField ? 1 : 0;
    int16_t bottom = 20;
    b.languageTop = bottom;
    bottom += 20;
    b.gridRowTop = bottom;
    if (gridButtons) bottom += 100;
    b.levelRow = static_cast<int16_t>(bottom + 10);
    b.sizeRowTop = static_cast<int16_t>(b.levelRow + 10);
    bottom = static_cast<int16_t>(bottom + 40);
    b.rulesTop = bottom;
    bottom += 20;
    b.infoTop = bottom;
    bottom += 25;
    b.cellFieldTop = static_cast<int16_t>(bottom + 5);
    bottom += 25;
    b.undoRowTop = bottom;
    bottom += 20;
    b.digitRow = static_cast<int16_t>(bottom + 12);
    bottom += 20;
    b.selectorTop = bottom;
    bottom += 60;
    b.eraseTop = bottom;
    bottom += 25;
    b.chronoTop = bottom;
    if (chronoField) bottom += 15;
    bottom += 5;
    b.fixedTop = bottom;
    bottom += 20;
    b.pauseTop = bottom;
    bottom += 20;
    b.saveTop = bottom;
    bottom += 30;
    b.exitTop = bottom;
    bottom += 20;
    b.barBottom = bottom;
    return b;
}
