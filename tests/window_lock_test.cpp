// The name of the lock one program folder's window holds.
#include <gtest/gtest.h>

#include "frontend/app/window_lock.h"

TEST(WindowLock, NamedByTheFullWidthOfA128BitHashOfTheFolder) {
    // FNV-1a with 128 bits: its offset basis, and the published value for "a".
    EXPECT_EQ(app::window_lock_name(""), "Local\\quorbel-6c62272e07bb014262b821756295c58d");
    EXPECT_EQ(app::window_lock_name("a"), "Local\\quorbel-d228cb696f1a8caf78912b704e4a8964");
    // Folders whose 32-bit hashes collided get locks of their own.
    EXPECT_NE(app::window_lock_name("Z:\\TMP\\H\\F0032789\\"),
              app::window_lock_name("Z:\\TMP\\H\\F0629192\\"));
}
