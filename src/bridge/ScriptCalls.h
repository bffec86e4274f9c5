#pragma once

// The program's calls of its compiled scripts. Each takes a script argument
// list (empty, or the texts and integers to pass), runs its script once and
// returns when it has ended. A script that cannot be run or fails raises
// fw::ScriptCallException, as does one that asks something and takes too
// long; goas and gojs wait for the user's script however long it takes.

#include "framework/Text.h"
#include "framework/Variant.h"

// Script 168: Illustrator's version text.
fw::String getAiVer(const fw::VariantArrayRef& list);
// Script 169: the frontmost application's name.
fw::String frontAppli(const fw::VariantArrayRef& list);
// Script 170: brings this program to the front.
void acctivemyapp(const fw::VariantArrayRef& list);
// Script 171: runs the AppleScript file at the path given.
fw::String goas(const fw::VariantArrayRef& list);
// Script 172: has Illustrator run the JavaScript file at the path given.
fw::String gojs(const fw::VariantArrayRef& list);
