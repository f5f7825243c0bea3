#pragma once

// The Qt Test suites of the skin, run one after another by one executable.
int RunSkinPicturesTests(int argc, char** argv);
int RunRegionFromPictureTests(int argc, char** argv);
int RunQtHelpersTests(int argc, char** argv);
