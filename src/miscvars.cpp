// miscvars.cpp -- start values of the per-game variables.
#include "vars.h"

MiscVars::MiscVars()
    : menuScreen(0), timer_start(0), timer_elapsed(0), timer_delta(0), frames(0), drunkenness(0),
      gameName("BrassFinch CloudBarrow University"), talkTimer(0), drunktimer(0),
      currentTalk("Invalid talking ptr"), fps(0), bYourTurn(false), bFastWater(false), fps_max(0),
      fps_min(60), bNoAlpha(false), debugMode(false), bCheatPick(false), hasFloater(false), bDoorAssist(false),
      bReadableText(false), bFightDetails(false), bReadTime(false), bConfirmations(false), bShopCursor(false),
      bEasyTalk(false), bRewardHelp(false), bKeepWeapon(false), bPackOrder(false), bStepRound(false),
      bFloatRing(false), bEarlyFinds(false), packCursorType(0), packCursorLine(-1), dir("")
{
    for (bool& f : flags)
        f = false;
}
