#pragma once
#include "core/OneBased.h"

// The check marks of the three settings menus. The main window shows them;
// exactly one item of each menu is checked.
struct SettingsChecks {
  OneBased<bool, 11> LessonCheck;
  OneBased<bool, 3> SpeedCheck;
  OneBased<bool, 3> MojiCount;
};

extern SettingsChecks MenuChecks;

// The marks the window is laid out with, agreeing with the default settings:
// lesson 1, speed 3 ("おそい"), 30 strings.
void SetLayoutChecks();

// Menu handlers; Index is the clicked item's number, from 1. While a game
// runs they refuse: the setting and every mark stay as they were.
void LessonCheck_Click(int Index);
void SpeedCheck_Click(int Index);
void MojiCount_Click(int Index);
