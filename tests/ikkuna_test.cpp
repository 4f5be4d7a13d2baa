#include <gtest/gtest.h>
TEST(Ikkuna, Tyhja) {}
