// Owned texts, ordered text lists (also key=value tables and sorted sets), number texts and parsing.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TextString;

/*
 * A borrowed text argument. It accepts a C string (a null pointer reads as the
 * empty text, as every operation of this module promises), a std::string, a
 * string_view or a TextString. Texts are single bytes (Windows-1252).
 */
struct TextRef {
    std::string_view v;
    TextRef(const char* p) : v(p ? std::string_view(p) : std::string_view()) {}
    TextRef(const std::string& s) : v(s) {}
    TextRef(std::string_view s) : v(s) {}
    TextRef(const TextString& t);
};

// Letter-case folding of the ASCII letters a..z only; every other byte is itself.
inline unsigned char foldCase(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }
// Equality ignoring the case of ASCII letters.
bool equalsFolded(TextRef a, TextRef b);
// How a sorts against b with the ASCII letters case-folded, byte by byte as unsigned (a shorter prefix first).
std::strong_ordering foldedOrder(TextRef a, TextRef b);
// Prefix rule: leading blanks of text skipped, then prefix matched ignoring case.
bool startsWithFolded(TextRef text, TextRef prefix);
// Position (0-based) of the first occurrence of what in text from 'from', ignoring case; npos if none.
size_t findFolded(TextRef text, TextRef what, size_t from = 0);
// ASCII upper-casing of a whole text.
std::string upperText(TextRef a);

/*
 * The owned growable text. Never "null": an empty TextString is the empty text.
 * Every operation that changes it builds the new text before replacing the old
 * one, so a source that is (part of) the destination is safe.
 */
struct TextString {
    std::string s;

    TextString() = default;
    TextString(const char* a) : s(a ? a : "") {}
    TextString(std::string a) : s(std::move(a)) {}
    TextString(std::string_view a) : s(a) {}

    void clear() { s.clear(); }
    void assign(TextRef a) { s = std::string(a.v); }
    void assign2(TextRef a, TextRef b);
    void assign3(TextRef a, TextRef b, TextRef c);
    void append(TextRef a);
    void append2(TextRef a, TextRef b);
    void append3(TextRef a, TextRef b, TextRef c);
    // Appends a and a comma, unless a already ends with a comma.
    void appendItem(TextRef a);

    const char* text() const { return s.c_str(); }
    int length() const { return static_cast<int>(s.size()); }
    bool isNotEmpty() const { return !s.empty(); }
    bool isEmpty() const { return s.empty(); }
    bool equals(TextRef a) const { return equalsFolded(s, a); }
    bool startsWith(TextRef prefix) const { return startsWithFolded(s, prefix); }

    // This text becomes the trimmed text of source up to its first comma (or all of it);
    // source keeps the rest after the comma with its leading blanks removed.
    void takeToken(TextString& source);
    void takeTokenUpper(TextString& source);

    // Copy of pattern with its first '#' replaced by n (pattern unchanged if it has none).
    void fillPlaceholder(TextRef pattern, long n);
    void fillPlaceholders(TextRef pattern, long n1, long n2);

    // First occurrence of what (found ignoring case) replaced by by; nothing if what is empty.
    void replaceFirst(TextRef what, TextRef by);
    // Every occurrence, the scan going on after each inserted text (so it always ends).
    void replaceAll(TextRef what, TextRef by);

    void padTo(int n, char ch = ' ');
    void repeat(int n, TextRef a);
    // 1-based character, 0 outside 1..length.
    char charAt(int i) const;

    bool operator==(const TextString& o) const { return s == o.s; }
};

inline TextRef::TextRef(const TextString& t) : v(t.s) {}

/*
 * Number texts. They are returned as owned strings, so they stay valid as long
 * as the caller keeps them.
 */
std::string numberText(long n);
std::string numberTextPadded(long n, int width);   // zero-padded on the left to width
std::string realText(double x);                    // "%f": six decimals
std::string charText(int code);                    // a one-character text

/*
 * takeInt: removes the leading integer token (up to the first comma) from a
 * comma-separated text and returns its value. Blanks are skipped, a leading '-'
 * negates, decimal digits accumulate until the first non-digit, no digits give 0.
 * The value saturates at INT32_MAX (or INT32_MIN for a negative token) instead
 * of overflowing.
 */
int32_t takeInt(TextString& text);
// takeReal: the leading token converted as a decimal real (0 when it is no number).
double takeReal(TextString& text);
// The value of a whole text read as takeInt reads its first token.
int32_t intOf(TextRef text);

/*
 * The ordered list of owned texts, positions from 1. It sits on a contiguous
 * array, so positional access is constant time. Positions outside 1..count read
 * as absent: a null text and no change.
 */
struct TextList {
    std::vector<std::string> items;

    void clear() { items.clear(); }
    int count() const { return static_cast<int>(items.size()); }
    bool isEmpty() const { return items.empty(); }
    bool isNotEmpty() const { return !items.empty(); }
    // Text of position i, null outside 1..count.
    const char* at(int i) const;
    // Text of position i as a string; empty outside 1..count.
    const std::string& str(int i) const;

    void add(TextRef a) { items.emplace_back(a.v); }
    void add2(TextRef a, TextRef b);
    void add3(TextRef a, TextRef b, TextRef c);
    void addUnique(TextRef a);
    // Inserts before the first element that a does not sort after (so before equal texts).
    void addSorted(TextRef a);
    bool addSortedUnique(TextRef a);
    void replaceAt(int i, TextRef a);
    void removeAt(int i);
    void removeLast();
    TextString takeFirst();

    int indexOf(TextRef a) const;
    int indexOfPrefix(TextRef a) const;

    void moveAllTo(TextList& other);
    void copyAllTo(TextList& other) const;
    void moveAtTo(int i, TextList& other);

    void sort();
    void swap(int i, int j);
    void reverse();
    void dropEmpty();
    // Removes each text equal (ignoring case) to the one before it, working from the end.
    void dropDuplicates();
    void sortUnique();
    int maxLength() const;

    /*
     * File lines. A line ends at LF or CR, and the other of the two right after
     * it is swallowed too (LF, CR, CRLF, LFCR). Empty lines are skipped and
     * trailing blanks removed. A NUL byte inside a line is read as a blank, so
     * texts stay valid C strings and nothing after it is lost. A missing or
     * unreadable file adds nothing.
     */
    void readFile(TextRef path);
    // Every text as one line ended by CR LF. False when the file could not be fully written.
    bool writeFile(TextRef path) const;
    bool drainToFile(TextRef path);
    /*
     * Writes beside the file (path + ".new"), flushes it to the disk, then
     * renames it over path: at every moment the file at path is the old one or
     * the new one, whole, even if the program or the machine stops halfway.
     * False (path untouched, the ".new" file removed) when anything failed.
     */
    bool writeFileReplacing(TextRef path) const;

    // key=value use.
    int findKey(TextRef key) const;
    bool hasKey(TextRef key) const { return findKey(key) > 0; }
    TextString getValue(TextRef key, int* position = nullptr) const;
    void setValue(TextRef key, TextRef value);
    void setInt(TextRef key, long n);
    void addToInt(TextRef key, long n);
    void appendToValue(TextRef key, TextRef a);
    void removeKey(TextRef key);
    void splitAt(int i, TextString& key, TextString& value) const;
    void mergeFrom(const TextList& other);
};

/*
 * Fault injection for the file writers (writeFile, drainToFile,
 * writeFileReplacing), so tests can make a write fail at every point a real
 * disk could: after any number of bytes, at the flush to the disk, at the
 * rename. The start values inject nothing; the program never changes them.
 * `bytesWritten` counts the bytes of the last write, whatever the faults.
 */
struct FileWriteFaults {
    int64_t byteBudget = -1;  // bytes accepted before the disk is "full"; -1: no limit
    uint8_t failFlush = 0;    // the flush to the disk fails
    uint8_t failRename = 0;   // the rename over the old file fails
    int64_t bytesWritten = 0;
};
extern FileWriteFaults fileWriteFaults;

// Splits a text at every comma (items trimmed of blanks; a final empty item after a trailing comma is dropped).
TextList splitItems(TextRef text);

/*
 * The trace operation: a module may announce its start with "MODULE:" and its
 * name (the topology does, once per process, when its tables are built). It has
 * no effect on the program; tests may install a sink to see it.
 */
using TraceSink = void (*)(const char* line);
void trace(TextRef line);
void setTraceSink(TraceSink sink);
