/* Resource ids of quorbel.exe, shared by the resource script and the C++. */
#pragma once

#define QUORBEL_LOGO_BITMAP 101
