#ifndef QUENTH_UTIL_STRING_H
#define QUENTH_UTIL_STRING_H

namespace quenth {

// Owned, growable, zero-terminated byte string (no character-set handling).
// Invariant after every operation: len < capacity + 1 and data[len] == 0, so getCString() is
// always a valid C string. Buffers are allocated zero-filled. A null C string handed to any
// operation is read as the empty text.
class String {
public:
    char* data;        // capacity + 1 bytes, owned: the text, a zero byte, then zeros or stale bytes
    unsigned capacity; // usable bytes before the final spare byte data[capacity] (always 0)
    unsigned len;      // number of characters (read it through length())

    String();
    String(char const* s);
    String(String const& o);
    ~String();

    // Grows the buffer to capacity n (n + 1 bytes) keeping the contents; never shrinks.
    void allocate(unsigned n);

    bool isEmpty() const { return len == 0; }
    unsigned length() const { return len; }
    // The buffer itself, not a copy.
    char const* getCString() const { return data; }
    // A new array of length() + 1 bytes; the caller releases it with delete[].
    char* getCStringCopy() const;
    // data[i] for i < capacity, the final zero byte for any larger i: reads never leave the buffer.
    char operator[](unsigned i) const { return i < capacity ? data[i] : data[capacity]; }

    String& set(char const* s);
    String& set(String const& o);
    String& operator=(char const* s) { return set(s); }
    String& operator=(String const& o) { return set(o); }

    String& append(char const* s);
    String& append(String const& o);
    String& operator+=(char const* s) { return append(s); }
    String& operator+=(String const& o) { return append(o); }
    String& appendChar(char c);

    // Empties the text; the buffer is replaced by a zero-filled one of capacity 4.
    void clear();
    // Strips leading and trailing spaces, tabs and line feeds (not carriage returns) and shrinks
    // the buffer to capacity length + 1. Returns the new length.
    int trim();
    // Deletes the first (last) occurrence of s; returns the new length, or -1 if s does not occur.
    int remove(String const& s);
    int removeTrailing(String const& s);

    // Index of the first occurrence of s at or after from; -1 if none or from > length.
    // An empty s is found at from.
    int indexOf(String const& s, unsigned from = 0) const;
    // Start of the last occurrence of s that ends at or before length - from (from counts
    // characters ignored at the end); -1 if none or from >= length.
    int indexOfLast(String const& s, unsigned from = 0) const;

    // Characters from index from to the end; empty when from >= length.
    String substring(unsigned from) const;
    // Characters in [from, to); empty when from >= to, from >= length or to > length.
    String substring(unsigned from, unsigned to) const;

    bool equals(String const& o) const;
    // False for a null pointer.
    bool equals(char const* s) const;
    bool operator==(String const& o) const { return equals(o); }
    bool operator!=(String const& o) const { return !equals(o); }

    // strtol(text, 0, 0): decimal, 0x hexadecimal or leading-0 octal, up to the first invalid
    // character; 0 if there is none.
    int parseInteger() const;
    long parseLong() const;
    float parseFloat() const;
    double parseDouble() const;

    // The text on standard output, without / with a line end.
    void print() const;
    void println() const;

private:
    // Appends n bytes from p (which may point into this string's own buffer).
    String& appendBytes(char const* p, unsigned n);
    // Replaces the text by n bytes from p (which may point into this string's own buffer).
    String& setBytes(char const* p, unsigned n);
};

String operator+(char const* a, String const& b);
String operator+(String const& a, char const* b);
String operator+(String const& a, String const& b);
// A null C string is unequal to every String.
bool operator==(char const* a, String const& b);
bool operator==(String const& a, char const* b);
bool operator!=(char const* a, String const& b);
bool operator!=(String const& a, char const* b);

// strlen (0 for a null pointer), length().
unsigned stringLength(char const* s);
unsigned stringLength(String const& s);
// Equal lengths and bytes; a null pointer equals only another null pointer.
bool stringEquals(char const* a, char const* b);
String charToString(char c);

// Shared work buffer of the number formatters below: each prints into it (at most 255 bytes)
// and copies the result into a new String. Main thread only.
extern char __t_strv[255];

String toString(int v);     // "%i"
String toString(double v);  // "%f"
String strInt(int v);       // "%i"
String strUInt(unsigned v); // "%i" of the same 32 bits: 2^31 and more print negative
String strChar(signed char v);
String strUChar(unsigned char v);
String strLong(long v); // signed decimal of the 64-bit value
String strULong(unsigned long v);
String strFloat(float v);   // "%f", six decimals
String strDouble(double v); // "%f"
// Upper-case hexadecimal without prefix; a negative signed char is promoted (-1 gives FFFFFFFF).
String strCharHex(signed char v);
String strUCharHex(unsigned char v);
String strIntHex(int v);
String strUIntHex(unsigned v);
String strLongHex(long v);
String strULongHex(unsigned long v);
String strPointer(void const* p); // "%p"

} // namespace quenth

#endif
