// The dialogs' numeric edits: what the exchange reads and what it says.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "document/field_exchange.h"

namespace wrimple {
namespace {

template <typename Value>
struct ReadCase {
  const char* text;
  bool read;
  Value value;
};

template <typename Value>
void ExpectReads(std::initializer_list<ReadCase<Value>> cases, bool (*read)(std::string_view, Value&)) {
  for (const ReadCase<Value>& c : cases) {
    Value value{};
    EXPECT_EQ(read(c.text, value), c.read) << '"' << c.text << '"';
    if (c.read) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(FieldExchange, ReadsAnIntegerWithBlanksAroundIt) {
  ExpectReads<int>({{"42", true, 42},
                    {" \t-7\r\n", true, -7},
                    {"+5", true, 5},
                    {"007", true, 7},
                    {"", false, 0},
                    {"  ", false, 0},
                    {"+", false, 0},
                    {"+-5", false, 0},
                    {"4 2", false, 0},
                    {"4.0", false, 0},
                    {"0x10", false, 0},
                    {"\v5", false, 0},
                    {"2147483647", true, 2147483647},
                    {"2147483648", false, 0},
                    {"-2147483648", true, -2147483647 - 1}},
                   ReadFieldInteger);
}

TEST(FieldExchange, ReadsAFiniteNumberWithBlanksAroundIt) {
  ExpectReads<double>({{"2.5", true, 2.5},
                       {" 1e2\r\n", true, 100.0},
                       {"-0.001\t", true, -0.001},
                       {"", false, 0},
                       {" ", false, 0},
                       {"inf", false, 0},
                       {"nan", false, 0},
                       {"1,5", false, 0},
                       {"\f3", false, 0}},
                      ReadFieldNumber);
}

TEST(FieldExchange, IntegerOutOfRangeIsKeptAndReported) {
  int value = 3;
  EXPECT_EQ(ExchangeInteger("abc", 1, 100, value), "Enter an integer.");
  EXPECT_EQ(value, 3) << "a text that is no integer leaves the value";
  EXPECT_EQ(ExchangeInteger("101", 1, 100, value), "Enter an integer between 1 and 100.");
  EXPECT_EQ(value, 101) << "the framework keeps an integer out of range";
  EXPECT_EQ(ExchangeInteger(" 100 ", 1, 100, value), "");
  EXPECT_EQ(value, 100);
}

TEST(FieldExchange, NumberOutOfRangeLeavesTheValue) {
  double value = 9;
  EXPECT_EQ(ExchangeNumber("x", 0, 359, value), "Enter a number.");
  EXPECT_EQ(ExchangeNumber("359.5", 0, 359, value), "Enter a number between 0 and 359.");
  EXPECT_EQ(ExchangeNumber("0", 0.001, 1000000, value), "Enter a number between 0.001 and 1000000.");
  EXPECT_EQ(value, 9);
  EXPECT_EQ(ExchangeNumber("359", 0, 359, value), "");
  EXPECT_EQ(value, 359);
}

}  // namespace
}  // namespace wrimple
