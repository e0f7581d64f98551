// The placement rule: candidate sets struck by the digits of touching cells.
#include "puzzle/candidates.h"

#include "puzzle/derived.h"
#include "puzzle/grid.h"

namespace {

// The peer record of a cell when the records are built for the current cell array.
const PeerRecord* peersOf(const Grid& g, int16_t cell) {
    if (!g.peersComputed || cell < 1 || static_cast<size_t>(cell) >= g.peerTable.size()) return nullptr;
    return &g.peerTable[cell];
}

}  // namespace

bool isCandidate(const Grid& g, int16_t cell, int16_t value) {
    const Cell* c = cellAt(g, cell);
    return c != nullptr && (c->candidates & valueBit(value)) != 0;
}

bool eliminateCandidate(Grid& g, int16_t cell, int16_t value) {
    Cell* c = cellAt(g, cell);
    // Value 0 would have the complement 0 and wipe the whole set; it strikes nothing.
    if (c == nullptr || c->value > 0 || valueBit(value) == 0) return false;
    int16_t next = static_cast<int16_t>(c->candidates & valueComplement(value));
    if (next == c->candidates) return false;
    c->candidates = next;
    return true;
}

bool eliminateFromNeighbours(Grid& g, int16_t cell, int16_t value) {
    if (!g.eliminateInPeers) return false;
    const PeerRecord* rec = peersOf(g, cell);
    if (rec == nullptr) return false;
    bool changed = false;
    for (int16_t peer : rec->peers) {
        if (peer > 0 && isValidCell(g, peer) && g.cells[peer].value <= 0) {
            changed = eliminateCandidate(g, peer, value) || changed;
        }
    }
    return changed;
}

bool placeAndPropagate(Grid& g, int16_t cell, int16_t value) {
    Cell* c = cellAt(g, cell);
    if (c == nullptr || valueBit(value) == 0) return false;
    bool changed = false;
    if (c->value != value) {
        c->value = value;
        changed = true;
    }
    c->candidates = valueBit(value);
    return eliminateFromNeighbours(g, cell, value) || changed;
}

void recomputeCandidates(Grid& g) {
    if (!g.cellsComputed) return;
    if (!g.peersComputed) ftbco(g);
    const int n = std::min<int>(g.cellCount, static_cast<int>(g.cells.size()) - 1);
    Cell* cells = g.cells.data();
    for (int i = 1; i <= n; ++i) cells[i].candidates = kAllDigits;

    /*
     * The hot path before every placement: plain loops over the cell array and
     * the peer records. A filled cell's set is its own bit and only empty
     * cells are struck, so the result does not depend on the order.
     */
    const bool propagate = g.eliminateInPeers && g.peerTable.size() > static_cast<size_t>(n);
    const PeerRecord* peers = g.peerTable.data();
    for (int i = 1; i <= n; ++i) {
        int16_t v = cells[i].value;
        if (v <= 0) continue;
        int16_t bit = valueBit(v);
        if (bit == 0) continue;
        cells[i].candidates = bit;
        if (!propagate) continue;
        const int16_t mask = static_cast<int16_t>(kAllDigits - bit);
        for (int16_t p : peers[i].peers) {
            if (p > 0 && p <= n && cells[p].value <= 0) cells[p].candidates = static_cast<int16_t>(cells[p].candidates & mask);
        }
    }
}

void ftbco(Grid& g) {
    if (g.peersComputed && g.peerTable.size() == static_cast<size_t>(g.cellCount) + 1) return;
    ensureTouchingCells(g);
    rebuildPeerRecords(g);
}
