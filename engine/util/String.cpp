#include "engine/util/String.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace quenth {

char __t_strv[255];

static char* newBuffer(unsigned bytes) {
    return new char[bytes]();
}

static unsigned cLength(char const* s) {
    return s ? (unsigned)strlen(s) : 0;
}

static bool isTrimmed(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

String::String() : data(newBuffer(1)), capacity(0), len(0) {}

String::String(char const* s) {
    unsigned n = cLength(s);
    data = newBuffer(n + 2);
    capacity = n + 1;
    len = n;
    if (n) memcpy(data, s, n);
}

String::String(String const& o) {
    unsigned n = o.len;
    data = newBuffer(n + 2);
    capacity = n + 1;
    len = n;
    if (n) memcpy(data, o.data, n);
}

String::~String() {
    delete[] data;
}

void String::allocate(unsigned n) {
    if (capacity >= n) return;
    char* b = newBuffer(n + 1);
    memcpy(b, data, capacity);
    delete[] data;
    data = b;
    capacity = n;
}

char* String::getCStringCopy() const {
    char* c = new char[len + 1];
    memcpy(c, data, len);
    c[len] = 0;
    return c;
}

String& String::setBytes(char const* p, unsigned n) {
    if (n > capacity) {
        // p cannot lie in our buffer here: it holds at most capacity characters.
        delete[] data;
        data = newBuffer(n + 2);
        capacity = n + 1;
    }
    memmove(data, p, n);
    data[n] = 0;
    len = n;
    return *this;
}

String& String::set(char const* s) {
    return setBytes(s ? s : "", cLength(s));
}

String& String::set(String const& o) {
    return setBytes(o.data, o.len);
}

String& String::appendBytes(char const* p, unsigned n) {
    unsigned need = len + n + 1;
    if (capacity < need) {
        char* b = newBuffer(need + 1);
        memcpy(b, data, len);
        // Copy before freeing: p may point into the old buffer.
        memcpy(b + len, p, n);
        delete[] data;
        data = b;
        capacity = need;
    } else {
        memmove(data + len, p, n);
    }
    len += n;
    data[len] = 0;
    return *this;
}

String& String::append(char const* s) {
    return appendBytes(s ? s : "", cLength(s));
}

String& String::append(String const& o) {
    return appendBytes(o.data, o.len);
}

String& String::appendChar(char c) {
    if (capacity <= len + 1) {
        char* b = newBuffer(len + 10);
        memcpy(b, data, len);
        delete[] data;
        data = b;
        capacity = len + 9;
    }
    data[len++] = c;
    data[len] = 0;
    return *this;
}

void String::clear() {
    delete[] data;
    data = newBuffer(5);
    capacity = 4;
    len = 0;
}

int String::trim() {
    unsigned start = 0, end = len;
    while (start < end && isTrimmed(data[start])) start++;
    while (end > start && isTrimmed(data[end - 1])) end--;
    unsigned n = end - start;
    char* b = newBuffer(n + 2);
    memcpy(b, data + start, n);
    delete[] data;
    data = b;
    capacity = n + 1;
    len = n;
    return (int)n;
}

// Cuts n characters at index i and zero-fills the freed tail.
static void cut(char* data, unsigned& len, unsigned i, unsigned n) {
    memmove(data + i, data + i + n, len - i - n);
    memset(data + len - n, 0, n);
    len -= n;
}

int String::remove(String const& s) {
    unsigned n = s.len;
    int i = indexOf(s, 0);
    if (i < 0) return -1;
    cut(data, len, (unsigned)i, n);
    return (int)len;
}

int String::removeTrailing(String const& s) {
    unsigned n = s.len;
    int i = indexOfLast(s, 0);
    if (i < 0) return -1;
    cut(data, len, (unsigned)i, n);
    return (int)len;
}

int String::indexOf(String const& s, unsigned from) const {
    if (from > len || s.len > len - from) return -1;
    for (unsigned i = from; i + s.len <= len; i++)
        if (memcmp(data + i, s.data, s.len) == 0) return (int)i;
    return -1;
}

int String::indexOfLast(String const& s, unsigned from) const {
    if (from >= len || s.len > len - from) return -1;
    for (unsigned i = len - from - s.len + 1; i-- > 0;)
        if (memcmp(data + i, s.data, s.len) == 0) return (int)i;
    return -1;
}

String String::substring(unsigned from) const {
    String r;
    if (from < len) r.setBytes(data + from, len - from);
    return r;
}

String String::substring(unsigned from, unsigned to) const {
    String r;
    if (from < to && from < len && to <= len) r.setBytes(data + from, to - from);
    return r;
}

bool String::equals(String const& o) const {
    if (!data || !o.data) return false;
    return len == o.len && memcmp(data, o.data, len) == 0;
}

bool String::equals(char const* s) const {
    if (!s || !data) return false;
    return len == strlen(s) && memcmp(data, s, len) == 0;
}

int String::parseInteger() const {
    return (int)strtol(data, nullptr, 0);
}
long String::parseLong() const {
    return strtol(data, nullptr, 0);
}
float String::parseFloat() const {
    return strtof(data, nullptr);
}
double String::parseDouble() const {
    return strtod(data, nullptr);
}

void String::print() const {
    fwrite(data, 1, len, stdout);
}

void String::println() const {
    fwrite(data, 1, len, stdout);
    fputc('\n', stdout);
}

String operator+(char const* a, String const& b) {
    String r(a);
    r.append(b);
    return r;
}

String operator+(String const& a, char const* b) {
    String r(a);
    r.append(b);
    return r;
}

String operator+(String const& a, String const& b) {
    String r(a);
    r.append(b);
    return r;
}

bool operator==(char const* a, String const& b) {
    return b.equals(a);
}
bool operator==(String const& a, char const* b) {
    return a.equals(b);
}
bool operator!=(char const* a, String const& b) {
    return !b.equals(a);
}
bool operator!=(String const& a, char const* b) {
    return !a.equals(b);
}

unsigned stringLength(char const* s) {
    return cLength(s);
}
unsigned stringLength(String const& s) {
    return s.length();
}

bool stringEquals(char const* a, char const* b) {
    if (!a || !b) return a == b;
    return strcmp(a, b) == 0;
}

String charToString(char c) {
    String r;
    r.appendChar(c);
    return r;
}

// All formatters print into the shared buffer, then copy it out.
static String formatted() {
    return String(__t_strv);
}

String toString(int v) {
    snprintf(__t_strv, sizeof __t_strv, "%i", v);
    return formatted();
}

String toString(double v) {
    snprintf(__t_strv, sizeof __t_strv, "%f", v);
    return formatted();
}

String strInt(int v) {
    return toString(v);
}
String strUInt(unsigned v) {
    return toString((int)v);
}
String strChar(signed char v) {
    return toString((int)v);
}
String strUChar(unsigned char v) {
    return toString((int)v);
}

String strLong(long v) {
    snprintf(__t_strv, sizeof __t_strv, "%ld", v);
    return formatted();
}

String strULong(unsigned long v) {
    return strLong((long)v);
}
String strFloat(float v) {
    return toString((double)v);
}
String strDouble(double v) {
    return toString(v);
}

String strUIntHex(unsigned v) {
    snprintf(__t_strv, sizeof __t_strv, "%X", v);
    return formatted();
}

String strCharHex(signed char v) {
    return strUIntHex((unsigned)(int)v);
}
String strUCharHex(unsigned char v) {
    return strUIntHex(v);
}
String strIntHex(int v) {
    return strUIntHex((unsigned)v);
}

String strULongHex(unsigned long v) {
    snprintf(__t_strv, sizeof __t_strv, "%lX", v);
    return formatted();
}

String strLongHex(long v) {
    return strULongHex((unsigned long)v);
}

String strPointer(void const* p) {
    snprintf(__t_strv, sizeof __t_strv, "%p", p);
    return formatted();
}

} // namespace quenth
