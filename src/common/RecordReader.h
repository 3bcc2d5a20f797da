// Reads the items of the text record convention from one file.
//
// Principles of operation. The whole file is read into memory when it is opened, and every
// Read* takes the next item from there, so a file of many thousand records costs one pass.
// Items are found by counting, not by lines:
//  - a comma, CR, LF or the pair CR LF ends an item, and the delimiter is consumed with it;
//  - blanks (space, tab) before an item are skipped;
//  - a quoted item's value is the text between its quotes; commas and line ends inside belong to
//    it. Blanks after the closing quote are skipped up to the delimiter; any other characters
//    there are ignored up to the delimiter (so `"ab"cd,` reads "ab"). A quote that never closes
//    takes the rest of the file;
//  - an unquoted item runs to the next comma or line end, its trailing blanks included;
//  - nothing between two delimiters is an empty item: ",," and a blank line in the middle of
//    the file each give one. Line ends, blanks and nothing else at the end of the file are not
//    items (a hand-edited file with an extra blank line at its end reads like one without),
//    except the single empty item that a comma right before them announces ("1,\r\n" holds
//    two items, 1 and the empty one);
//  - bytes other than these delimiters are taken as they are, whatever their value.
// Errors are vb::RuntimeError: 53 on opening a file that is not there, 62 when no item is left,
// 13 and 6 for an item that does not fit the kind asked for. A failed Read* leaves the reader
// past the item it could not convert (62 leaves it at the end).
#pragma once

#include <string>

#include "platform/vb/Int16.h"

namespace pager {

class RecordReader {
 public:
  // Opens the file and reads it whole. Raises 53 "File not found" when the path is empty or
  // names nothing, a folder, a device or a pipe (anything but a regular file or a link to one); 75 when the file cannot be read for lack of permission; 57 for any
  // other failure to read it.
  explicit RecordReader(const std::string& path);
  ~RecordReader();
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  // A quoted or unquoted item as text; an empty item gives "". Raises 62 when no item is left.
  std::string ReadText();
  // A number item: an empty item gives 0; otherwise the item (blanks at its ends ignored) must be
  // one decimal number with an optional sign, point and exponent, rounded to the nearest whole
  // number as CInt does: "45" 45, "-5" -5, "3.6" 4. Raises 13 for letters or any other text,
  // 6 beyond the 16-bit range, 62 when no item is left.
  vb::Int16 ReadInteger();
  // #TRUE# or #FALSE# (any case of the letters); an empty item gives false. Raises 13 for
  // anything else, 62 when no item is left.
  bool ReadBoolean();
  // An item of no fixed kind: a quoted item gives its text, an empty item "", an unquoted item
  // its text. Raises 62 when no item is left.
  std::string ReadUntyped();

  // The end-of-file test: true when no item is left, so the next Read* would raise 62. True at
  // once for an empty file or one holding only blanks and line ends.
  bool AtEnd() const;

  // Lets go of the file's content; Read* then raises 62. Also done by the destructor.
  void Close();

 private:
  struct Item {
    std::string text;
    bool quoted = false;
  };
  Item NextItem();  // raises 62 when AtEnd()
  void ConsumeDelimiter();

  std::string content_;
  std::size_t pos_ = 0;
  std::size_t tailStart_ = 0;  // where the blanks and line ends that end the file begin
  bool afterComma_ = false;  // the last delimiter consumed was a comma: one more item follows
};

}  // namespace pager
