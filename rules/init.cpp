// init: reseed, reset the per-board state, size cells and window, create the 2500 cells and
// show the wall.
#include "rules/init.h"

namespace worm {
namespace {

void resetBoardState(GameState& s)
{
    if (s.restarting) {
        s.score = 0;
        s.points = 0;
    }
    s.foodshown = false;
    s.restarting = false;
    s.rows = 50;
    s.cols = 50;
    s.interval = 75;
    s.headpos = 0;
    s.growcount = 0;
    s.tailpos = 0;
    s.direction = "";
    s.headx = s.cols / 2;
    s.heady = s.rows / 2;
}

// Square cells: both sides take the smaller of the two fits.
void sizeTemplateCell(Form& form, const GameState& s)
{
    double w = form.innerWidth() / s.cols;
    double h = form.innerHeight() / s.rows;
    if (w > h) {
        w = h;
    } else {
        h = w;
    }
    form.setWidth(0, w);
    form.setHeight(0, h);
    form.setVisible(0, false);
}

// The 100 and 400 twips stand for the window's frame and title bar.
void sizeWindow(Form& form, const GameState& s)
{
    form.setOuterWidth(s.cols * form.width(0) + 100);
    form.setOuterHeight(s.rows * form.height(0) + 400);
}

void centreGameOverButton(Form& form)
{
    form.setButtonLeft(Button::gameover, form.innerWidth() / 2 - form.buttonWidth(Button::gameover) / 2);
    form.setButtonTop(Button::gameover, form.innerHeight() / 2 - form.buttonHeight(Button::gameover) / 2);
}

void createCells(Form& form, const GameState& s)
{
    const double w = form.width(0);
    const double h = form.height(0);
    int k = 0;
    for (int i = 1; i <= s.rows; ++i) {
        for (int j = 1; j <= s.cols; ++j) {
            ++k;
            form.createCell(k);
            form.setTop(k, (i - 1) * h);
            form.setLeft(k, (j - 1) * w);
            if (i == 1 || j == 1 || i == s.rows || j == s.cols) {
                form.setVisible(k, true);
            }
        }
    }
}

} // namespace

void init(Game& game)
{
    game.random.reseed();
    resetBoardState(game.state);
    sizeTemplateCell(game.form, game.state);
    sizeWindow(game.form, game.state);
    centreGameOverButton(game.form);
    createCells(game.form, game.state);
}

} // namespace worm
