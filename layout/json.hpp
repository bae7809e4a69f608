#pragma once

// The one JSON writer of the project: the layout tables for the page and the Python tests,
// and the browser module's answers to the page. Written by hand rather than with printf-style
// formatting, which would more than double the size of the browser edition's module.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout.hpp"

namespace tarvilon::layout {

// Writes one JSON value, object by object and array by array; the commas are its business.
//   JsonWriter j;
//   j.beginObject().field("name", "Form1").field("main", true).key("rect").beginArray();
class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);

    JsonWriter& value(std::string_view text);  // UTF-8 passes through; controls are escaped
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(int number);
    JsonWriter& value(bool b);
    JsonWriter& value(std::nullptr_t);
    JsonWriter& value(const std::optional<Colour>& colour);  // "#rrggbb", or null
    JsonWriter& value(const Rect& rect);                     // [x, y, width, height]
    // A number the tables give to the hundredth (a font's points): 8.25, 9.75, 24.
    JsonWriter& hundredths(double number);
    // A value some other writer wrote whole.
    JsonWriter& raw(std::string_view json);

    template <typename T>
    JsonWriter& field(std::string_view name, const T& v) {
        key(name);
        return value(v);
    }

    [[nodiscard]] const std::string& str() const { return out_; }
    [[nodiscard]] std::string take() { return std::move(out_); }

  private:
    void element();  // the comma before every element of an object or array but its first
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);

    std::string out_;
    std::vector<bool> first_;  // for each object or array still open: nothing in it yet
    bool keyed_ = false;       // a key was written, and its value is next
};

}  // namespace tarvilon::layout
