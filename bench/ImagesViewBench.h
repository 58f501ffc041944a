#pragma once

// The images view with a category of 200 links to 12-megapixel photos: the time until the
// first screen of thumbnails is painted against decoding one photo at full size, the longest
// the window's thread is held meanwhile, and the memory taken while scrolling through all of
// them, against the same scroll through photos of a quarter the pixels.
int RunImagesViewBench();
