// The framework's exceptions.  Operations of the system report by result
// codes; exceptions come only from the framework (a failed conversion, a
// stream error, a refused name or element) and end at the application's
// standard exception message box.
#pragma once

#include <stdexcept>
#include <string>

// Base of every framework exception; the message is a cp932 text.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A text that is no number, a number out of range.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An operation that the object's state does not allow.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A component name that is taken or not an identifier, and similar.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// Base of the stream errors.
class EFilerError : public Exception {
public:
    using Exception::Exception;
};

// A malformed stored form: truncated data, a wrong value, an unknown class
// or property.
class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};
