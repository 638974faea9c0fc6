#pragma once
// Checks that a call raises exactly the given exception class with exactly the given message.

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#define EXPECT_ERROR(statement, ExceptionClass, message)                                                 \
    do {                                                                                                 \
        try {                                                                                            \
            statement;                                                                                   \
            ADD_FAILURE() << "expected " #ExceptionClass " with \"" << (message) << "\", nothing raised"; \
        } catch (const ExceptionClass& error_) {                                                         \
            EXPECT_EQ(std::string(error_.what()), std::string(message));                                 \
            EXPECT_EQ(typeid(error_), typeid(ExceptionClass)) << "raised a subclass";                    \
        } catch (const std::exception& other_) {                                                         \
            ADD_FAILURE() << "expected " #ExceptionClass ", got " << typeid(other_).name() << ": "       \
                          << other_.what();                                                              \
        }                                                                                                \
    } while (0)
