// One QApplication for a whole Qt test program, created on first use and
// set up as the programs set theirs up, kept until exit (gtest_main owns
// main()).
#pragma once

#include <QApplication>

#include "platform/qt/qtapp.h"

inline QApplication& testApp() {
  static int argc = 1;
  static char name[] = "tarnwick_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* created = new QApplication(argc, argv);
    platform::prepareApplication(*created);
    return created;
  }();
  return *app;
}

#include <gtest/gtest.h>

// Base of fixtures whose members are widgets: the application must exist
// before they are constructed.
class QtAppTest : public ::testing::Test {
 protected:
  QtAppTest() { testApp(); }
};
