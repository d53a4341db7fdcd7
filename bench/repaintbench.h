#ifndef REPAINTBENCH_H
#define REPAINTBENCH_H

class Summary;

// Full repaints rendered into an image as a backing store would get them: our widget, the
// peer's scale widget with its colour bar and labels, and the floor of writing precomputed
// colours straight into the image.
void registerRepaintBenchmarks(Summary &summary);

#endif // REPAINTBENCH_H
