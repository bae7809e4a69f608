#include "json.hpp"

#include <cmath>

namespace tarvilon::layout {
namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

void appendHexByte(std::string& out, unsigned byte) {
    out += kHexDigits[(byte >> 4U) & 0xFU];
    out += kHexDigits[byte & 0xFU];
}

}  // namespace

void JsonWriter::element() {
    if (keyed_) {
        keyed_ = false;
        return;
    }
    if (first_.empty()) return;
    if (!first_.back()) out_ += ',';
    first_.back() = false;
}

JsonWriter& JsonWriter::open(char bracket) {
    element();
    out_ += bracket;
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    out_ += bracket;
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginObject() {
    return open('{');
}
JsonWriter& JsonWriter::endObject() {
    return close('}');
}
JsonWriter& JsonWriter::beginArray() {
    return open('[');
}
JsonWriter& JsonWriter::endArray() {
    return close(']');
}

JsonWriter& JsonWriter::key(std::string_view name) {
    value(name);
    out_ += ':';
    keyed_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    element();
    out_ += '"';
    for (const char ch : text) {
        switch (ch) {
            case '"':
                out_ += "\\\"";
                break;
            case '\\':
                out_ += "\\\\";
                break;
            case '\n':
                out_ += "\\n";
                break;
            case '\r':
                out_ += "\\r";
                break;
            case '\t':
                out_ += "\\t";
                break;
            default:
                if (const auto byte = static_cast<unsigned char>(ch); byte < 0x20) {
                    out_ += "\\u00";
                    appendHexByte(out_, byte);
                } else {
                    out_ += ch;
                }
        }
    }
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::value(int number) {
    element();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(bool b) {
    element();
    out_ += b ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::value(std::nullptr_t) {
    element();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::value(const std::optional<Colour>& colour) {
    if (!colour) return value(nullptr);
    element();
    out_ += "\"#";
    appendHexByte(out_, colour->r);
    appendHexByte(out_, colour->g);
    appendHexByte(out_, colour->b);
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::value(const Rect& rect) {
    beginArray();
    for (const int n : {rect.x, rect.y, rect.width, rect.height}) value(n);
    return endArray();
}

JsonWriter& JsonWriter::hundredths(double number) {
    constexpr int kHundred = 100;
    constexpr int kTen = 10;
    const auto all = static_cast<int>(std::lround(number * kHundred));
    element();
    if (all < 0) out_ += '-';
    const int whole = std::abs(all) / kHundred;
    int fraction = std::abs(all) % kHundred;
    out_ += std::to_string(whole);
    if (fraction != 0) {
        out_ += '.';
        out_ += static_cast<char>('0' + fraction / kTen);
        fraction %= kTen;
        if (fraction != 0) out_ += static_cast<char>('0' + fraction);
    }
    return *this;
}

JsonWriter& JsonWriter::raw(std::string_view json) {
    element();
    out_ += json;
    return *this;
}

}  // namespace tarvilon::layout
