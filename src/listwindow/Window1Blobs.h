#pragma once

#include <string>

// The design-time property strings of the window and its three controls.
const std::string& Window1Blob();
const std::string& LB1Blob();
const std::string& BevelButton1Blob();
const std::string& Timer1Blob();
