// One QApplication for the whole Qt test program, created on first use and
// kept until exit (gtest_main owns main()).
#pragma once

#include <QApplication>

inline QApplication& testApp() {
  static int argc = 1;
  static char name[] = "platform_qt_tests";
  static char* argv[] = {name, nullptr};
  static auto* app = new QApplication(argc, argv);
  return *app;
}

#include <gtest/gtest.h>

// Base of fixtures whose members are widgets: the application must exist
// before they are constructed.
class QtAppTest : public ::testing::Test {
 protected:
  QtAppTest() { testApp(); }
};
