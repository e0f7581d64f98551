// Tests of the ornel-tool subcommands path, name, code and topology: exact output, errors, exit status.
#include <gtest/gtest.h>

#include "tests/test_support.h"

#include <sstream>
#include <string>

#include "tests/tool_run.h"
#include "tools/tool.h"

namespace {

ToolRun run(const ToolArgs& args) { return runToolCommand(runTool, args); }

// The line of the output that starts with prefix (empty when none).
std::string lineStarting(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0) return line;
    return {};
}

int countLines(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) n += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

void expectError(const ToolArgs& args) {
    ToolRun r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty()) << r.out;
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // exactly one line
}

}  // namespace

TEST(ToolLattice, PathPrintsCanonicalFormsAndPixels) {
    ToolRun r = run({"path", ".", "AC", "AAAAAAAAAAAA", "aab", "A3"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              ". expanded=. compact=. x=0 y=0\n"
              "AC expanded=B compact=B x=15 y=26\n"
              "AAAAAAAAAAAA expanded=AAAAAAAAAAAA compact=A9A3 x=360 y=0\n"
              "aab expanded=AAB compact=A2B x=75 y=26\n"
              "A3 expanded=AAA compact=A3 x=90 y=0\n");
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(run({"path", "ACE"}).out, "ACE expanded=. compact=. x=0 y=0\n");
}

TEST(ToolLattice, NamePrintsTriangleAndEdgeForms) {
    ToolRun r = run({"name", ":BA", ":BC", "A:FE", "B:D", "a:af", ".", "AD"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              ":BA triangle=:AB edge=:AB\n"
              ":BC triangle=C:AF edge=:BC\n"
              "A:FE triangle=F:AB edge=F:BF\n"
              "B:D triangle=B:D edge=C:A\n"
              "a:af triangle=A:AF edge=A:AF\n"
              ". triangle=. edge=.\n"
              "AD triangle=. edge=.\n");
}

TEST(ToolLattice, CodePrintsWhatTheReaderTakes) {
    ToolRun r = run({"code", "AWJJ%100", "AWPJ%100", "AV", "XAB", "X", "X:AB", "zz"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "AWJJ%100 marked=0 cell=A:AB hexagon= value=1 percent=100\n"
              "AWPJ%100 marked=0 cell=A:AB hexagon= value=1 percent=100\n"
              "AV marked=0 cell=A:AF hexagon= value=0 percent=0\n"
              "XAB marked=1 cell= hexagon=AB value=0 percent=0\n"
              "X marked=1 cell= hexagon=. value=0 percent=0\n"
              "X:AB marked=1 cell=:AB hexagon=. value=0 percent=0\n"
              "zz marked=0 cell= hexagon= value=0 percent=0\n");
}

TEST(ToolLattice, TopologyOfOneHexagon) {
    ToolRun r = run({"topology", "."});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lineStarting(r.out, "cells:"), "cells: :AB,:AF,C:AF,D:AB,D:AF,E:AB");
    EXPECT_EQ(lineStarting(r.out, "hexagons:"), "hexagons: .");
    EXPECT_EQ(lineStarting(r.out, "partial:"), "partial:");
    EXPECT_EQ(lineStarting(r.out, "corners:"), "corners: .,A,B,C,D,E,F");
    EXPECT_EQ(countLines(r.out, "touching: "), 6);
    EXPECT_EQ(lineStarting(r.out, "touching: :AB,"), "touching: :AB,  :AF,C:AF,D:AB,D:AF,E:AB,");
    EXPECT_EQ(lineStarting(r.out, "inner:"), "inner: D:AA,E:BB,F:CC");
    EXPECT_EQ(lineStarting(r.out, "outer:"), "outer: C:A,E:A,D:B,F:B,A:C,E:C");
    EXPECT_EQ(lineStarting(r.out, "holes:"), "holes:");
    // The order of the lines is fixed.
    EXPECT_LT(r.out.find("cells:"), r.out.find("hexagons:"));
    EXPECT_LT(r.out.find("corners:"), r.out.find("touching:"));
    EXPECT_LT(r.out.find("holes:"), r.out.find("ring:"));
}

TEST(ToolLattice, TopologyListsAnEnclosedGapUnderHolesOnly) {
    ToolRun r = run({"topology", "AA", "AB", "BB", "BC", "CC", "CD", "DD", "DE", "EE", "EF", "FF", "AF"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lineStarting(r.out, "holes:"), "holes: :AB,:AF,C:AF,D:AB,D:AF,E:AB");
    std::string ring = lineStarting(r.out, "ring:") + ",";
    ASSERT_GT(ring.size(), 7u);
    for (const char* h : {":AB", ":AF", "C:AF", "D:AB", "D:AF", "E:AB"}) {
        EXPECT_EQ(ring.find(std::string(" ") + h + ","), std::string::npos) << h;
        EXPECT_EQ(ring.find(std::string(",") + h + ","), std::string::npos) << h;
    }
}

TEST(ToolLattice, TopologyOfNothingAndOfDuplicates) {
    ToolRun empty = run({"topology"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "cells:\nhexagons:\npartial:\ncorners:\ninner:\nouter:\nholes:\nring:\n");
    ToolRun twice = run({"topology", "A", "a", "CA", "B", "."});
    ToolRun once = run({"topology", ".", "A", "B"});
    EXPECT_EQ(twice.out, once.out);
}

TEST(ToolLattice, MalformedArgumentsGiveOneErrorLineAndStatusTwo) {
    expectError({"path"});
    expectError({"path", "A", "A*B"});
    expectError({"path", "AB:AF"});
    expectError({"path", "A0B"});
    expectError({"path", "G"});
    expectError({"path", "A B"});
    expectError({"path", "\xE9"});
    expectError({"name"});
    expectError({"name", "A:"});
    expectError({"name", "A:XY"});
    expectError({"name", "Q:AB"});
    expectError({"code"});
    expectError({"topology", "A:AB"});
    expectError({"topology", "x"});
    expectError({"lattice-nonsense"});
}

TEST(ToolLattice, LongTextsAreHandledWithoutLimit) {
    std::string longPath(200, 'C');
    ToolRun r = run({"path", longPath});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("expanded=" + longPath + " "), std::string::npos);
    EXPECT_NE(r.out.find("compact=C9"), std::string::npos);
}

#ifndef ORNEL_WINDOWS_BUILD
#include <cstdio>
#include <sys/wait.h>

// The built program itself: its output on stdout, its error line on stderr and its exit status.
TEST(ToolLattice, TheProgramReportsThroughItsExitStatus) {
    std::string tool = ORNEL_TOOL_PATH;
    if (tool.empty()) GTEST_SKIP() << "no ornel-tool binary in this build";
    int exitStatus = 0;
    std::string out = runToolProgram("topology . A", exitStatus);
    EXPECT_EQ(exitStatus, 0);
    int status = 0;
    EXPECT_NE(out.find("hexagons: .,A\n"), std::string::npos) << out;
    EXPECT_NE(out.find("partial: B,F\n"), std::string::npos) << out;
    status = std::system((tool + " path 'A*' >/dev/null 2>&1").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
}
#endif
