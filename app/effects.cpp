// What the window must do after an event or a command: the one merge of two effects records.
#include "app/effects.h"

void mergeEffects(Effects& into, const Effects& more) {
    into.repaint |= more.repaint;
    into.layoutChanged |= more.layoutChanged;
    into.modeChanged |= more.modeChanged;
    into.enterRules |= more.enterRules;
    into.leaveRules |= more.leaveRules;
    into.reposition |= more.reposition;
    into.labelsChanged |= more.labelsChanged;
    into.barStateChanged |= more.barStateChanged;
    into.forceBarRefresh |= more.forceBarRefresh;
    into.rescaled |= more.rescaled;
    into.showSplash |= more.showSplash;
    into.makeNewGrid |= more.makeNewGrid;
    into.cellFieldChanged |= more.cellFieldChanged;
    into.clockFieldChanged |= more.clockFieldChanged;
    into.hideTooltip |= more.hideTooltip;
    into.trackTooltip |= more.trackTooltip;
    into.captureMouse |= more.captureMouse;
    into.releaseMouse |= more.releaseMouse;
    if (more.cursor >= 0) {
        into.cursor = more.cursor;
        into.cursorForced |= more.cursorForced;
    }
    if (more.signal != PlayFeedback::None) {
        into.signal = more.signal;
        into.signalCursor = more.signalCursor;
    }
    into.minimise |= more.minimise;
    into.sendClose |= more.sendClose;
    into.destroy |= more.destroy;
    into.refused |= more.refused;
    into.winAnnounced |= more.winAnnounced;
}
