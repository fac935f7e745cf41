#pragma once

#include "platform/AnsiString.h"

#include <exception>
#include <string>

// The error kinds that the system's code raises and its callers expect. The message is kept as
// UTF-8 (what()) and handed to the error display as code-page-932 text (Message()).
class Exception : public std::exception {
public:
    explicit Exception(std::string utf8Message) : message_(std::move(utf8Message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    AnsiString Message() const { return AnsiString::FromUtf8(message_); }

private:
    std::string message_;
};

// A text that is not a number of the expected kind.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
public:
    using Exception::Exception;
    static EListError IndexOutOfBounds(int index);
};

// A file that exists but cannot be opened, or that cannot be found where it must exist.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
    static EFOpenError CannotOpen(const AnsiString& path);
};

// A value or position outside its range.
class ERangeError : public Exception {
public:
    using Exception::Exception;
};

// The class library's silent exception: it ends the handler that raised it, and every handler
// that it passes through, without an error display. Raised where work must stop at once (the
// program's window was closed while a handler waited).
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};
