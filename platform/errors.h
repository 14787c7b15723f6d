#pragma once

// The error classes the program reports through. Every error the user can see derives from
// Exception, which carries its message as UTF-8 text.

#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception
{
public:
    explicit Exception(std::string Message) : FMessage(std::move(Message)) {}
    const char *what() const noexcept override { return FMessage.c_str(); }
    const std::string &Message() const noexcept { return FMessage; }

private:
    std::string FMessage;
};

// A text that is not a number.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// The three floating-point faults that stop a calculation.
class EMathError : public Exception
{
public:
    using Exception::Exception;
};

class EInvalidOp : public EMathError
{
public:
    EInvalidOp();
};

class EZeroDivide : public EMathError
{
public:
    EZeroDivide();
};

class EOverflow : public EMathError
{
public:
    EOverflow();
};
