#pragma once
// Makes every window of the program reachable by its name.
namespace windows {
void registerAll();
}
