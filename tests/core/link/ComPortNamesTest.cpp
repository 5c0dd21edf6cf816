// Windows' port names and the wrapping tick count: plain functions, tested on every system.
#include <gtest/gtest.h>

#include "core/link/SerialDevices.h"
#include "core/link/TickCount.h"

namespace qorrin::link {
namespace {

TEST(ComPortNames, TwoDigitPortsOpenInTheDeviceNamespaceAndNamesParseBack) {
  EXPECT_EQ(ComDeviceName(9), "COM9");
  EXPECT_EQ(ComDeviceName(10), "\\\\.\\COM10");
  for (int n : {1, 9, 10, 12, 255}) EXPECT_EQ(ComNumberOf(ComDeviceName(n)), n);
  EXPECT_EQ(ComNumberOf("com12"), 12);  // typed by a user
  for (const char* other : {"COM", "COMX", "COM1a", "/dev/ttyUSB0", "\\\\.\\PIPE\\x", "LPT1", "COM12345"}) {
    EXPECT_EQ(ComNumberOf(other), 0) << other;
  }
}

TEST(TickCount, ElapsedTimeSurvivesTheWrapOfTheCounter) {
  EXPECT_EQ(TicksBetween(100, 350), 250u);
  EXPECT_EQ(TicksBetween(0xFFFFFFF0u, 0x10u), 0x20u);  // across the wrap
  EXPECT_FALSE(TicksPassed(0xFFFFFF00u, 0x00000010u, 500));
  EXPECT_TRUE(TicksPassed(0xFFFFFF00u, 0x00000100u, 500));
  EXPECT_TRUE(TicksPassed(5, 5, 0));   // a zero time-out has passed at once
  EXPECT_TRUE(TicksPassed(5, 5, -3));  // as has a negative one
  EXPECT_FALSE(TicksPassed(5, 5, 1));
}

}  // namespace
}  // namespace qorrin::link
