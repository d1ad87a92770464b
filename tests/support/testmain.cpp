// Test entry point: the package's units start with the process (COM and OLE
// on this, the user-interface thread), as in an application.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
