// Stored forms in binary and in their readable text form, and the
// conversion between the two.
//
// Binary form (value codes in value_codes.h):
//
//   form     = "TNSF" object
//   object   = [0xF0|flags] [childpos] classname objectname
//              { propname value } 0x00  { object } 0x00
//   childpos = an integer value, present with the flag ffChildPos
//   classname, objectname, propname = length byte + bytes (names are
//              identifiers; a property name may be dotted, as Font.Name;
//              the object name may be empty)
//
// Text form (UTF-8; every string becomes cp932 in binary form):
//
//   object Form1: TForm1
//     Left = 277
//     Caption = 'Tansu'
//     Font.Name = 'MS Gothic'
//     Options = [goFixedVertLine, goFixedHorzLine]
//     OnClick = Form1Click
//     Visible = False
//     Tag = -5
//     CellData = (0 0 '#' 1 0 'DIR')
//     Collection = <
//       item
//         Cntrl = ArEdit1_1
//       end>
//     Data = {
//       0123456789ABCDEF}
//     object Panel1: TPanel
//       Align = alBottom
//     end
//   end
//
// Objects: "object", "inherited" (ffInherited) or "inline" (ffInline),
// then "Name: TClass", or only "TClass" for an object without a name, then
// "[n]" for a child position; properties, then child objects; "end".
// Values:
//   integers   decimal, optionally "-"; "$" hexadecimal is accepted on input
//   strings    quoted parts 'it''s' and byte codes #13 (0 to 255, each the
//              code of one cp932 byte) joined without blanks, as 'a'#13#10'b';
//              quoted parts of several strings may be joined with "+"
//   True, False, nil (any case on input)
//   identifiers  enumeration values, handler names, component references
//              such as Form2.Edit1
//   sets       [a, b, c] or []
//   lists      ( values ) separated by blanks or line breaks
//   collections  < item properties end ... >
//   binary     { hexadecimal digits, blanks and line breaks allowed }
// Keywords (object, inherited, inline, end, item, True, False, nil) are
// matched in any case.  Blanks, tabs and line breaks (LF or CR LF) separate
// tokens anywhere; a value may be spread over several lines inside (), <>
// and {}.
//
// Canonical layout, the one ObjectBinaryToText writes (text in it converts
// to binary and back to the same text):
// - two blanks of indentation per level; lines end with LF, the last too;
// - "Name = value" for each property, then the child objects;
// - a string is written as quoted parts and #n codes: control bytes
//   (below 0x20, and 0x7F) and bytes that are no cp932 character (or whose
//   character does not convert back to the same bytes) as #n, everything
//   else as UTF-8 inside quotes, "'" doubled;
// - an empty list is "()"; a list of scalars (no lists, collections or
//   binary data inside) stands on the property's line when that line stays
//   within 80 bytes, otherwise "(" ends the line and the values follow,
//   one level deeper, as many on each line as fit in 80 bytes (at least
//   one); any other list has each value on its own line one level deeper;
//   ")" follows the last value;
// - a collection is "<" and then, one level deeper, "item", its properties
//   one level deeper still, and "end" for each item, ">" right after the
//   last "end"; an empty collection is "<>";
// - binary data is "{" and then, one level deeper, lines of 32 bytes in
//   upper-case hexadecimal, "}" after the last; no data is "{}";
// - a set is "[a, b]".
//
// Names the text would read as keywords cannot be represented: an
// identifier value (vaIdent) True, False or nil, and a property named
// object, inherited, inline or end (any case).  Binary data holding them
// is refused with EReadError.
#pragma once

#include <string>
#include <string_view>

#include "framework/stream.h"

// Parses a stored form's text and writes its binary form at the stream's
// position.  Errors throw EParserError with the line number; nothing is
// guaranteed about what was written to `binary` by then.
void ObjectTextToBinary(std::string_view text, TStream& binary);

// Reads one stored form in binary form from the stream's position and
// writes its text in canonical layout into `text` (replacing its content).
// Malformed data throws EReadError (`text` is then unchanged).
void ObjectBinaryToText(TStream& binary, std::string& text);
