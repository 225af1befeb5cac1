// inventory-menu.cpp -- the inventory screen (using items), and the weapon list used by fights.
#include <cstdio>
#include "game.h"
#include "itemlist.h"
#include "pack-order.h"
#include "saturate.h"
#include "wearing.h"

namespace {

// "+20": what a potion really added, after the cap.
std::string gained(int before, int after)
{
    return "+" + std::to_string(after > before ? (long long)after - before : 0LL);
}

// What Enter does with an item; returns true when the menu closes.
bool useItem(CGame& g, Item* item, std::vector<Item*>& stuff)
{
    CharacterStats& st = g.player->stats;
    float cx = g.player->x + 24.0f, cy = g.player->y + 24.0f;
    switch (item->type) {
    case ITEM_PLAIN:
    case ITEM_KEY_SHOP_GOODS:
        item->x = g.player->x;
        item->y = g.player->y;
        item->owner = OWNER_MAP;
        return true;
    case ITEM_HEALING: {
        const int before = st.hp;
        st.hp = addPoints(st.hp, item->maxEffect);
        if (st.hp > st.hp_max)
            st.hp = st.hp_max;
        item->type = ITEM_USED_UP;
        g.showOutcome("Healed", "You drink a healing potion: " + gained(before, st.hp) + " health");
        return true;
    }
    case ITEM_DRINK:
        if (g.vars.drunkenness >= 4.0f) {
            g.showOutcome("You are already too drunk!", "You are already too drunk!");
        } else {
            g.vars.drunkenness += 1.0f;
            item->type = ITEM_USED_UP;
            g.showOutcome("*hic*", "You drink: *hic*");
        }
        return true;
    case ITEM_ARMOUR:
        g.unequipAllItems(stuff);
        item->bIsEquipped = true;
        return false;
    case ITEM_DOOR_KEY:
        puts("Trying to use key..");
        if (g.unlockDoor(cx, cy, false, false) == 1) {
            puts("Ok, unlocked door.");
            item->type = ITEM_USED_UP;
            return true;
        }
        return false;
    case ITEM_MANA: {
        const int before = st.mp;
        st.mp = addPoints(st.mp, item->maxEffect);
        if (st.mp > st.mp_max)
            st.mp = st.mp_max;
        item->type = ITEM_USED_UP;
        g.showOutcome("Restored mana", "You drink a mana potion: " + gained(before, st.mp) + " mana");
        return true;
    }
    case ITEM_FLOATER:
        puts("Trying to equip this floater");
        item->bIsEquipped = !item->bIsEquipped;
        updateFloater(g);
        return false;
    case ITEM_LOCK_PICK: {
        puts("Trying to pick door...");
        int result = g.unlockDoor(cx, cy, true, false);
        if (result == 1) {
            puts("Ok, unlocked door.");
            g.showMessage("Successfully picked the lock.");
            return true;
        }
        if (result == 2) {
            puts("Broke your pick!");
            g.showMessage("Oh no! You broke your pick.");
            item->type = ITEM_USED_UP;
            return true;
        }
        if (result == 3) {
            g.showMessage("Couldn't pick, try again");
            return true;
        }
        // No door to pick: the last message shows again.
        g.vars.talkTimer = g.messageTime(g.vars.currentTalk);
        return false;
    }
    case ITEM_ROOM_KEY:
        if (g.unlockDoor(cx, cy, false, true) == 1) {
            item->type = ITEM_USED_UP;
            g.showMessage("Welcome to Mendrel Resorts!");
            return true;
        }
        return false;
    default:   // weapons and anything else: nothing to do here
        return false;
    }
}

// Shown when the player carries nothing: one key, Space for the status screen.
void emptyInventory(CGame& g, int h)
{
    g.drawTextAt("You don't have anything in your inventory!", 0, h);
    SDL_Flip(g.screen);
    for (;;) {
        while (g.nextEvent()) {
            if (g.event.type == SDL_QUIT)
                return;
            if (g.event.type == SDL_KEYDOWN) {
                if (g.event.key.keysym.sym == SDLK_SPACE)
                    g.playerInfoScreen();
                return;
            }
        }
        g.waitFrame();
    }
}

// "packorder": the cursor opens on the row of the item it was on when the menu last closed, or
// failing that on the same line, and the list is scrolled to show it.
void placePackCursor(const MiscVars& v, const std::vector<PackRow>& rows, int& menuchoice, int& scroll)
{
    const int size = (int)rows.size();
    if (v.packCursorLine < 0 || size == 0)
        return;
    int line = v.packCursorLine < size ? v.packCursorLine : size - 1;
    for (int i = 0; i < size; i++)
        if (rows[i].item->itemName == v.packCursorName && rows[i].item->type == v.packCursorType)
            line = size - 1 - i;
    menuchoice = size - 1 - line;
    scroll = line > ITEM_LIST_ROWS - 1 ? line - (ITEM_LIST_ROWS - 1) : 0;
}

void rememberPackCursor(MiscVars& v, const std::vector<Item*>& rows, int menuchoice)
{
    if (rows.empty())
        return;
    v.packCursorName = rows[menuchoice]->itemName;
    v.packCursorType = rows[menuchoice]->type;
    v.packCursorLine = (int)rows.size() - 1 - menuchoice;
}

} // namespace

void CGame::inventoryMenu()
{
    std::vector<Item*> all;
    for (Item* item : itemVec)
        if (item->owner == OWNER_PLAYER && item->type != ITEM_USED_UP)
            all.push_back(item);
    // The rows on show: every item, or with "packorder" one row for each kind.
    std::vector<Item*> stuff = all;
    std::vector<std::string> titles;
    int size = (int)stuff.size();
    int menuchoice = size - 1;
    int scroll = 0;
    if (vars.bPackOrder) {
        const std::vector<PackRow> rows = packRows(all);
        stuff.clear();
        for (const PackRow& row : rows) {
            stuff.push_back(row.item);
            titles.push_back(packRowName(row));
        }
        size = (int)stuff.size();
        menuchoice = size - 1;
        placePackCursor(vars, rows, menuchoice, scroll);
    }
    auto title = [&](int i) { return titles.empty() ? stuff[i]->itemName : titles[i]; };
    int h = returnTextHeight();
    char line[64];

    bool open = true;
    while (open) {
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        drawTextAt("Player Inventory:", 0, 0);
        drawTextAt(bPlayingGame ? "Press ESCAPE to go back, SPACE to view progress and save"
                                : "Press ESCAPE to forfeit this turn",
                   0, SCREEN_HEIGHT - h);
        snprintf(line, sizeof line, "Your cash: $%u", player->stats.money);
        drawTextAt(line, 10, 500);
        if (size == 0) {
            emptyInventory(*this, h);
            return;
        }

        drawItemList(*this, stuff, menuchoice, scroll, true,
                     [](const Item* item) { return item->itemDescript; }, title);
        endScreenFrame();
        vars.frames++;

        while (nextEvent(QuitRule::EndsGame)) {
            if (event.type == SDL_QUIT) {
                open = false;
                continue;
            }
            if (event.type != SDL_KEYDOWN)
                continue;
            switch (event.key.keysym.sym) {
            case SDLK_ESCAPE:
                open = false;
                break;
            case SDLK_SPACE:
                if (bPlayingGame)
                    playerInfoScreen();
                break;
            case SDLK_UP:
                itemListUp(size, menuchoice, scroll);
                break;
            case SDLK_DOWN:
                itemListDown(size, menuchoice, scroll);
                break;
            case SDLK_F3:
                saveScreenshot("sshot-shop.bmp");
                break;
            case SDLK_RETURN:
                if (useItem(*this, stuff[menuchoice], all))
                    open = false;
                // In a fight, using anything ends the player's turn at once.
                if (!bPlayingGame) {
                    if (vars.bPackOrder)
                        rememberPackCursor(vars, stuff, menuchoice);
                    return;
                }
                break;
            default:
                break;
            }
        }
    }
    if (vars.bPackOrder)
        rememberPackCursor(vars, stuff, menuchoice);
    resetFrameTimers();
}

void CGame::unequipAllItems(std::vector<Item*> items)
{
    for (Item* item : items)
        if (item->type != ITEM_FLOATER)
            item->bIsEquipped = false;
}

// Appends the player's melee and ranged weapons in item order; the
// caller clears the list first.
void CGame::buildWeaponVector(std::vector<Item*>& weapons)
{
    for (Item* item : itemVec)
        if (isWeapon(item) && item->owner == OWNER_PLAYER)
            weapons.push_back(item);
}
