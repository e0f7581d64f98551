// Owned texts, text lists, number texts and the small parsers every module uses.
#include "base/text.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "base/file_ops.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

bool equalsFolded(TextRef a, TextRef b) {
    if (a.v.size() != b.v.size()) return false;
    for (size_t i = 0; i < a.v.size(); ++i) {
        if (foldCase(static_cast<unsigned char>(a.v[i])) != foldCase(static_cast<unsigned char>(b.v[i])))
            return false;
    }
    return true;
}

std::strong_ordering foldedOrder(TextRef a, TextRef b) {
    size_t n = std::min(a.v.size(), b.v.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = foldCase(static_cast<unsigned char>(a.v[i]));
        unsigned char y = foldCase(static_cast<unsigned char>(b.v[i]));
        if (x != y) return x <=> y;
    }
    return a.v.size() <=> b.v.size();
}

bool startsWithFolded(TextRef text, TextRef prefix) {
    size_t start = 0;
    while (start < text.v.size() && text.v[start] == ' ') ++start;
    if (text.v.size() - start < prefix.v.size()) return false;
    return equalsFolded(text.v.substr(start, prefix.v.size()), prefix);
}

size_t findFolded(TextRef text, TextRef what, size_t from) {
    if (what.v.empty() || what.v.size() > text.v.size()) return std::string::npos;
    for (size_t i = from; i + what.v.size() <= text.v.size(); ++i) {
        if (equalsFolded(text.v.substr(i, what.v.size()), what)) return i;
    }
    return std::string::npos;
}

std::string upperText(TextRef a) {
    std::string r(a.v);
    for (char& c : r) c = static_cast<char>(foldCase(static_cast<unsigned char>(c)));
    return r;
}

namespace {

std::string_view trimBlanks(std::string_view v) {
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
    return v;
}

}  // namespace

// ---- TextString ----

void TextString::assign2(TextRef a, TextRef b) {
    std::string r;
    r.reserve(a.v.size() + b.v.size());
    r.append(a.v).append(b.v);
    s = std::move(r);
}

void TextString::assign3(TextRef a, TextRef b, TextRef c) {
    std::string r;
    r.reserve(a.v.size() + b.v.size() + c.v.size());
    r.append(a.v).append(b.v).append(c.v);
    s = std::move(r);
}

void TextString::append(TextRef a) {
    std::string piece(a.v);  // a may be part of s
    s += piece;
}

void TextString::append2(TextRef a, TextRef b) {
    std::string piece;
    piece.append(a.v).append(b.v);
    s += piece;
}

void TextString::append3(TextRef a, TextRef b, TextRef c) {
    std::string piece;
    piece.append(a.v).append(b.v).append(c.v);
    s += piece;
}

void TextString::appendItem(TextRef a) {
    std::string piece(a.v);
    s += piece;
    if (piece.empty() || piece.back() != ',') s += ',';
}

void TextString::takeToken(TextString& source) {
    std::string src = source.s;  // source may be this very text
    size_t comma = src.find(',');
    std::string_view all(src);
    std::string token(trimBlanks(comma == std::string::npos ? all : all.substr(0, comma)));
    std::string rest;
    if (comma != std::string::npos) {
        std::string_view r = all.substr(comma + 1);
        while (!r.empty() && r.front() == ' ') r.remove_prefix(1);
        rest = std::string(r);
    }
    source.s = std::move(rest);
    s = std::move(token);
}

void TextString::takeTokenUpper(TextString& source) {
    takeToken(source);
    s = upperText(s);
}

void TextString::fillPlaceholder(TextRef pattern, long n) {
    std::string r(pattern.v);
    size_t at = r.find('#');
    if (at != std::string::npos) r.replace(at, 1, numberText(n));
    s = std::move(r);
}

void TextString::fillPlaceholders(TextRef pattern, long n1, long n2) {
    std::string r(pattern.v);
    size_t at = r.find('#');
    if (at != std::string::npos) {
        std::string first = numberText(n1);
        r.replace(at, 1, first);
        size_t next = r.find('#', at + first.size());
        if (next != std::string::npos) r.replace(next, 1, numberText(n2));
    }
    s = std::move(r);
}

void TextString::replaceFirst(TextRef what, TextRef by) {
    size_t at = findFolded(s, what);
    if (at == std::string::npos) return;
    std::string r = s;
    r.replace(at, what.v.size(), by.v);
    s = std::move(r);
}

void TextString::replaceAll(TextRef what, TextRef by) {
    if (what.v.empty()) return;
    std::string w(what.v), b(by.v);  // either may be part of s
    std::string r;
    size_t from = 0;
    for (;;) {
        size_t at = findFolded(s, w, from);
        if (at == std::string::npos) break;
        r.append(s, from, at - from).append(b);
        from = at + w.size();
    }
    r.append(s, from, std::string::npos);
    s = std::move(r);
}

void TextString::padTo(int n, char ch) {
    if (n > length()) s.append(static_cast<size_t>(n - length()), ch);
}

void TextString::repeat(int n, TextRef a) {
    std::string piece(a.v), r;
    for (int i = 0; i < n; ++i) r += piece;
    s = std::move(r);
}

char TextString::charAt(int i) const {
    if (i < 1 || i > length()) return 0;
    return s[static_cast<size_t>(i - 1)];
}

// ---- number texts and parsing ----

std::string numberText(long n) { return std::to_string(n); }

std::string numberTextPadded(long n, int width) {
    char buf[48];
    if (width < 0) width = 0;
    if (width > 40) width = 40;
    std::snprintf(buf, sizeof buf, "%0*ld", width, n);
    return buf;
}

std::string realText(double x) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%f", x);
    return buf;
}

std::string charText(int code) { return std::string(1, static_cast<char>(code)); }

int32_t takeInt(TextString& text) {
    TextString token;
    token.takeToken(text);
    std::string_view v(token.s);
    bool negative = false;
    if (!v.empty() && v.front() == '-') {
        negative = true;
        v.remove_prefix(1);
    }
    int64_t value = 0;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    for (char c : v) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > limit) value = limit;  // saturate instead of overflowing
    }
    return static_cast<int32_t>(negative ? -value : value);
}

double takeReal(TextString& text) {
    TextString token;
    token.takeToken(text);
    const char* begin = token.text();
    char* end = nullptr;
    errno = 0;
    double x = std::strtod(begin, &end);
    if (end == begin) return 0.0;
    return x;
}

int32_t intOf(TextRef text) {
    TextString t(text.v);
    return takeInt(t);
}

// ---- TextList ----

namespace {
const std::string kEmpty;
}

const char* TextList::at(int i) const {
    if (i < 1 || i > count()) return nullptr;
    return items[static_cast<size_t>(i - 1)].c_str();
}

const std::string& TextList::str(int i) const {
    if (i < 1 || i > count()) return kEmpty;
    return items[static_cast<size_t>(i - 1)];
}

void TextList::add2(TextRef a, TextRef b) {
    std::string r(a.v);
    r.append(b.v);
    items.push_back(std::move(r));
}

void TextList::add3(TextRef a, TextRef b, TextRef c) {
    std::string r(a.v);
    r.append(b.v).append(c.v);
    items.push_back(std::move(r));
}

void TextList::addUnique(TextRef a) {
    if (indexOf(a) == 0) add(a);
}

void TextList::addSorted(TextRef a) {
    // A linear scan keeps the rule exact even on a list that is not sorted.
    std::string copy(a.v);
    auto pos = std::find_if(items.begin(), items.end(),
                            [&copy](const std::string& e) { return foldedOrder(copy, e) <= 0; });
    items.insert(pos, std::move(copy));
}

bool TextList::addSortedUnique(TextRef a) {
    if (indexOf(a) != 0) return false;
    addSorted(a);
    return true;
}

void TextList::replaceAt(int i, TextRef a) {
    if (i < 1 || i > count()) return;
    items[static_cast<size_t>(i - 1)] = std::string(a.v);
}

void TextList::removeAt(int i) {
    if (i < 1 || i > count()) return;
    items.erase(items.begin() + (i - 1));
}

void TextList::removeLast() {
    if (!items.empty()) items.pop_back();
}

TextString TextList::takeFirst() {
    if (items.empty()) return TextString();
    TextString r(std::move(items.front()));
    items.erase(items.begin());
    return r;
}

int TextList::indexOf(TextRef a) const {
    for (size_t i = 0; i < items.size(); ++i)
        if (equalsFolded(items[i], a)) return static_cast<int>(i + 1);
    return 0;
}

int TextList::indexOfPrefix(TextRef a) const {
    for (size_t i = 0; i < items.size(); ++i)
        if (startsWithFolded(items[i], a)) return static_cast<int>(i + 1);
    return 0;
}

void TextList::moveAllTo(TextList& other) {
    if (&other == this) return;
    for (std::string& t : items) other.items.push_back(std::move(t));
    items.clear();
}

void TextList::copyAllTo(TextList& other) const {
    std::vector<std::string> copy = items;  // other may be this list
    for (std::string& t : copy) other.items.push_back(std::move(t));
}

void TextList::moveAtTo(int i, TextList& other) {
    if (i < 1 || i > count()) return;
    std::string t = std::move(items[static_cast<size_t>(i - 1)]);
    items.erase(items.begin() + (i - 1));
    other.items.push_back(std::move(t));
}

void TextList::sort() {
    if (items.size() < 2) return;
    // Re-inserting in old order with addSorted puts each text before earlier equal
    // ones: a stable sort of the reversed list gives exactly that order.
    std::vector<std::string> old = std::move(items);
    std::reverse(old.begin(), old.end());
    std::stable_sort(old.begin(), old.end(),
                     [](const std::string& a, const std::string& b) { return foldedOrder(a, b) < 0; });
    items = std::move(old);
}

void TextList::swap(int i, int j) {
    if (i < 1 || i > count() || j < 1 || j > count()) return;
    std::swap(items[static_cast<size_t>(i - 1)], items[static_cast<size_t>(j - 1)]);
}

void TextList::reverse() { std::reverse(items.begin(), items.end()); }

void TextList::dropEmpty() {
    items.erase(std::remove_if(items.begin(), items.end(), [](const std::string& t) { return t.empty(); }),
                items.end());
}

void TextList::dropDuplicates() {
    for (size_t i = items.size(); i-- > 1;) {
        if (equalsFolded(items[i], items[i - 1])) items.erase(items.begin() + static_cast<long>(i));
    }
}

void TextList::sortUnique() {
    sort();
    dropDuplicates();
}

int TextList::maxLength() const {
    size_t m = 0;
    for (const std::string& t : items) m = std::max(m, t.size());
    return static_cast<int>(m);
}

// ---- files ----

namespace {

void addLine(std::vector<std::string>& out, std::string& line) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (!line.empty()) out.push_back(line);
    line.clear();
}

}  // namespace

void TextList::readFile(TextRef path) {
    std::string p(path.v);
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) return;
    std::string data;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    std::fclose(f);

    std::string line;
    for (size_t i = 0; i < data.size(); ++i) {
        char c = data[i];
        if (c == '\n' || c == '\r') {
            char other = (c == '\n') ? '\r' : '\n';
            if (i + 1 < data.size() && data[i + 1] == other) ++i;
            addLine(items, line);
        } else {
            line.push_back(c == '\0' ? ' ' : c);
        }
    }
    addLine(items, line);
}

FileWriteFaults fileWriteFaults;

namespace {

/*
 * Writes n bytes, as a full disk would take them under the injected byte
 * budget: the bytes that still fit are written, then the write fails.
 */
bool writeBytes(std::FILE* f, const char* data, size_t n) {
    FileWriteFaults& faults = fileWriteFaults;
    size_t allowed = n;
    if (faults.byteBudget >= 0) {
        int64_t left = faults.byteBudget - faults.bytesWritten;
        if (left < static_cast<int64_t>(n)) allowed = left > 0 ? static_cast<size_t>(left) : 0;
    }
    size_t written = allowed > 0 ? std::fwrite(data, 1, allowed, f) : 0;
    faults.bytesWritten += static_cast<int64_t>(written);
    return written == n;
}

// Hands what the C library buffered to the system, then asks the system to put it on the disk.
bool flushToDisk(std::FILE* f) {
    if (fileWriteFaults.failFlush) return false;
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

/*
 * Every text as one line ended by CR LF; toDisk also waits until the bytes are
 * on the disk. `created` says whether the file was opened (and so is ours to remove).
 */
bool writeLines(const std::vector<std::string>& items, const std::string& path, bool toDisk, bool& created) {
    fileWriteFaults.bytesWritten = 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    created = f != nullptr;
    if (!f) return false;
    bool ok = true;
    for (const std::string& t : items) {
        if (!writeBytes(f, t.data(), t.size()) || !writeBytes(f, "\r\n", 2)) {
            ok = false;
            break;
        }
    }
    if (ok) ok = toDisk ? flushToDisk(f) : std::fflush(f) == 0;
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

}  // namespace

bool TextList::writeFile(TextRef path) const {
    bool created = false;
    return writeLines(items, std::string(path.v), false, created);
}

bool TextList::drainToFile(TextRef path) {
    bool ok = writeFile(path);
    items.clear();
    return ok;
}

bool TextList::writeFileReplacing(TextRef path) const {
    std::string target(path.v);
    std::string temp = target + ".new";
    /*
     * The rename is the moment the new file takes the old one's place, so it
     * comes only after the new file is wholly on the disk: a crash before it
     * leaves the old file, a crash after it the new one.
     */
    bool created = false;
    bool ok = writeLines(items, temp, true, created);
    if (ok && fileWriteFaults.failRename) ok = false;
    if (ok) ok = replaceFile(temp, target);
    // A ".new" that is not ours (a folder of that name, say) is left alone.
    if (!ok && created) removeFile(temp);
    return ok;
}

// ---- key=value ----

namespace {

/*
 * A key as lines hold it: the prefix rule skips the leading blanks of a line,
 * so the key's own leading blanks are skipped too. Without that a key that
 * starts with a blank would never find its own line, and every setValue of it
 * would add another.
 */
std::string_view keyText(TextRef key) {
    std::string_view k = key.v;
    while (!k.empty() && k.front() == ' ') k.remove_prefix(1);
    return k;
}

}  // namespace

int TextList::findKey(TextRef key) const {
    std::string prefix(keyText(key));
    prefix += '=';
    return indexOfPrefix(prefix);
}

TextString TextList::getValue(TextRef key, int* position) const {
    int i = findKey(key);
    if (position) *position = i;
    if (i == 0) return TextString();
    const std::string& t = items[static_cast<size_t>(i - 1)];
    size_t start = 0;
    while (start < t.size() && t[start] == ' ') ++start;
    return TextString(t.substr(start + keyText(key).size() + 1));
}

void TextList::setValue(TextRef key, TextRef value) {
    std::string line(key.v);
    line += '=';
    line.append(value.v);
    int i = findKey(key);
    if (i > 0)
        items[static_cast<size_t>(i - 1)] = std::move(line);
    else
        addSorted(line);
}

void TextList::setInt(TextRef key, long n) { setValue(key, numberText(n)); }

void TextList::addToInt(TextRef key, long n) {
    long current = intOf(getValue(key));
    setInt(key, current + n);
}

void TextList::appendToValue(TextRef key, TextRef a) {
    TextString v = getValue(key);
    v.append(a);
    setValue(key, v);
}

void TextList::removeKey(TextRef key) { removeAt(findKey(key)); }

void TextList::splitAt(int i, TextString& key, TextString& value) const {
    const std::string& t = str(i);
    size_t eq = t.find('=');
    if (eq == std::string::npos) {
        key.assign(t);
        value.clear();
    } else {
        key.assign(std::string_view(t).substr(0, eq));
        value.assign(std::string_view(t).substr(eq + 1));
    }
}

void TextList::mergeFrom(const TextList& other) {
    std::vector<std::string> copy = other.items;  // other may be this list
    TextString key, value;
    for (size_t i = copy.size(); i-- > 0;) {
        size_t eq = copy[i].find('=');
        if (eq == std::string::npos) {
            key.assign(copy[i]);
            value.clear();
        } else {
            key.assign(std::string_view(copy[i]).substr(0, eq));
            value.assign(std::string_view(copy[i]).substr(eq + 1));
        }
        setValue(key, value);
    }
}

TextList splitItems(TextRef text) {
    TextList out;
    TextString rest(text.v);
    TextString item;
    while (rest.isNotEmpty()) {
        item.takeToken(rest);
        out.add(item);
    }
    return out;
}

// ---- trace ----

namespace {
TraceSink traceSink = nullptr;
}

void trace(TextRef line) {
    if (traceSink) {
        std::string copy(line.v);
        traceSink(copy.c_str());
    }
}

void setTraceSink(TraceSink sink) { traceSink = sink; }
