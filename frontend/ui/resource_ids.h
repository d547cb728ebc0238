/* Resource ids of quorbel.exe, shared by the resource script and the C++. */
#pragma once

#define QUORBEL_LOGO_BITMAP 101

/* The text-input box of "edit": a prompt, the text, OK. */
#define QUORBEL_INPUT_DIALOG 201
#define QUORBEL_INPUT_PROMPT 202
#define QUORBEL_INPUT_TEXT 203
