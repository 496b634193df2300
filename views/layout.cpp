#include "layout.h"

#include <algorithm>

namespace palabrum {

FormLayout LayOutForm(int width, int height, int listPosition, bool desktop) {
    const Rect client{0, 0, width, height};
    const int halfW = width / 2;
    const int halfH = height / 2;
    FormLayout f{client, client, client, client};
    if (desktop && listPosition == 0) {
        // The board below, as wide as the column and leaving the pane at least a quarter of the height.
        const int left = width / 3 + 5;
        const int side = std::min(width - 5 - left, height - 10 - height / 4);
        f.list = {0, 0, width / 3, height};
        f.board = {left, height - 5 - side, width - 5, height - 5};
        f.pane = {left, 5, width - 5, f.board.top - 5};
    } else if (desktop && listPosition == 1) {
        f.list = {0, 0, width, height / 4};
        f.board = {width / 3 + 5, height / 4 + 5, width - 5, height - 5};
        f.pane = {5, height / 4 + 5, width / 3 - 5, height - 5};
    } else if (listPosition == 0) {
        f.list = {0, 0, halfW, height};
        f.board = {halfW + 5, halfH + 5, width - 5, height - 5};
        f.pane = {halfW + 5, 5, width - 5, halfH - 5};
    } else if (listPosition == 1) {
        f.list = {0, 0, width, halfH};
        f.board = {halfW + 5, halfH + 5, width - 5, height - 5};
        f.pane = {5, halfH + 5, halfW - 5, height - 5};
    }
    // The label takes the lower half of the pane's area, and 5 pixels more.
    f.label = f.pane;
    f.label.top = f.pane.top + f.pane.Height() / 2 - 5;
    return f;
}

Rect FitSquare(Rect r) {
    const int w = r.Width();
    const int h = r.Height();
    if (h > w) {
        const int d = (h - w) / 2;
        r.top += d;
        r.bottom -= d;
    } else {
        const int d = (w - h) / 2;
        r.left += d;
        r.right -= d;
    }
    if (r.Height() < r.Width()) {
        r.bottom += 1;
    } else if (r.Height() > r.Width()) {
        r.right += 1;
    }
    while (r.Width() % 5 < 3) {
        r.right += 1;
        r.bottom += 1;
    }
    while (r.Width() % 5 > 3) {
        r.right -= 1;
        r.bottom -= 1;
    }
    return r;
}

}  // namespace palabrum
