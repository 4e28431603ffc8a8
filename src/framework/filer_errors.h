// The stream errors beside EReadError (framework/exceptions.h): a failed
// write, and a syntax error in the text form of a stored form.
#pragma once

#include <string>

#include "framework/exceptions.h"

// A stream that takes no more bytes, or a value that cannot be stored
// (a name too long, an identifier with characters no name may hold).
class EWriteError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

// A syntax error in a stored form's text; Line() is the 1-based line where
// it was found (also part of the message).
class EParserError : public EReadError {
public:
    EParserError(std::string message, int line) : EReadError(std::move(message)), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};
