// shopmgr.cpp -- the shop: choosing to buy or sell, trading with the common stock, and the shop lists.
#include <cstdio>
#include <string>
#include "game.h"
#include "replay.h"
#include "itemlist.h"
#include "saturate.h"
#include "wearing.h"

namespace {

// Room keys and the key-shop goods are the key shop's trade; the general
// shop (SHOP_ALL_TYPES) deals in everything else. Used-up items are filtered
// by the caller.
bool passesFilter(int itemType, int filter)
{
    if (filter == SHOP_ALL_TYPES)
        return itemType != ITEM_ROOM_KEY && itemType != ITEM_KEY_SHOP_GOODS;
    return itemType == filter || itemType == ITEM_KEY_SHOP_GOODS;
}

// Stage 1: 0 buy, 1 sell, -1 leave (Never mind or the window's close).
// Keys after the one that chose stay queued for the trading list.
int chooseSide(CGame& g)
{
    int h = g.returnTextHeight();
    int clickerPos = 0;
    for (;;) {
        SDL_FillRect(g.screen, NULL, SDL_MapRGB(g.screen->format, 0, 0, 100));
        g.drawTextAt("Welcome to the shop.", 10, 0);
        g.drawTextAt("Buy item", 20, h);
        g.drawTextAt("Sell item", 20, 2 * h);
        g.drawTextAt("Never mind", 20, 3 * h);
        SDL_Rect cursor = {0, (Sint16)((clickerPos + 1) * h), 0, 0};
        SDL_BlitSurface(g.art.icons[ICON_POINTER], NULL, g.screen, &cursor);
        g.endScreenFrame();
        while (g.nextEvent()) {
            if (g.event.type == SDL_QUIT)
                return -1;
            if (g.event.type != SDL_KEYDOWN)
                continue;
            SDLKey key = g.event.key.keysym.sym;
            if (key == SDLK_UP) {
                if (clickerPos > 0)
                    clickerPos--;
            } else if (key == SDLK_DOWN) {
                if (clickerPos < 2)
                    clickerPos++;
            } else {
                // Every other key confirms, Escape included.
                return clickerPos == 2 ? -1 : clickerPos;
            }
        }
        g.vars.frames++;
    }
}

// "shopcursor": what selling this item would cost the player, asked about first; null for an
// item that goes without a word.
const char* sellingQuestion(const CGame& g, const Item* item)
{
    if (item->bIsEquipped && item->type == ITEM_ARMOUR)
        return "Sell the armour you are wearing? (Y/N)";
    if (item->bIsEquipped && item->type == ITEM_FLOATER)
        return "Sell the floater you are wearing? You will not float over the sea. (Y/N)";
    if (!isWeapon(item))
        return nullptr;
    for (const Item* other : g.itemVec)
        if (other != item && other->owner == OWNER_PLAYER && isWeapon(other))
            return nullptr;
    return "Sell your only weapon? (Y/N)";
}

} // namespace

void CGame::rebuildShopVector(std::vector<Item*>& shopVec, std::vector<Item*> items, int owner, int type)
{
    shopVec.clear();
    for (Item* item : items)
        if ((long long)item->owner == owner && item->type != ITEM_USED_UP && passesFilter(item->type, type))
            shopVec.push_back(item);
}

// type is the shop's filter: SHOP_ALL_TYPES for a general shop, ITEM_ROOM_KEY
// for a room-key shop. The shop only moves items between the player and the
// common stock and changes the player's money; whatever changes hands is
// taken off. A quit event closes the shop but not the game.
void CGame::shopLoop(int type)
{
    if (!player)
        return;
    int side = chooseSide(*this);
    if (side < 0)
        return;

    int h = returnTextHeight();
    bool bIsSellingItems = side == 1;
    std::vector<Item*> shopVec;
    int menuchoice = 0;
    int scroll = 0;
    auto rebuild = [&]() {
        rebuildShopVector(shopVec, itemVec, bIsSellingItems ? OWNER_PLAYER : OWNER_SHOP, type);
        menuchoice = (int)shopVec.size() - 1;
        scroll = 0;
    };
    // "shopcursor": after a trade the cursor stays in its row, on the item that took the place
    // of the one that changed hands (the row below moves up into it); on the last row it goes
    // to the row above.
    auto keepPlace = [&]() {
        int was = menuchoice, wasScroll = scroll;
        rebuild();
        int size = (int)shopVec.size();
        if (size == 0)
            return;
        menuchoice = was - 1 < 0 ? 0 : was - 1 >= size ? size - 1 : was - 1;
        scroll = wasScroll;
        while (scroll > 0 && size - 1 - scroll - menuchoice < 0)
            scroll--;
        while (size - 1 - scroll - menuchoice > ITEM_LIST_ROWS - 1)
            scroll++;
    };
    rebuild();

    bool leaving = false;
    while (!leaving) {
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        drawTextAt("Welcome to the shop.", 10, 0);
        std::string money = "Money: $" + std::to_string(player->stats.money);
        drawTextAt(money.c_str(), 10, 500);
        drawTextAt(bIsSellingItems ? "You are SELLING some items." : "You are BUYING some items.", 10, 500 + h);

        if (shopVec.empty()) {
            drawTextAt(bIsSellingItems ? "You don't appear to have anything I can buy."
                                       : "Oh no! We're sold completely out.",
                       10, 30);
            SDL_Flip(screen);
            vars.frames++;
            // S turns to the other side of the counter; anything else leaves
            // without the timer reset.
            for (;;) {
                if (!nextEvent()) {
                    waitFrame();
                    continue;
                }
                if (event.type == SDL_QUIT)
                    return;
                if (event.type != SDL_KEYDOWN)
                    continue;
                if (event.key.keysym.sym != SDLK_s)
                    return;
                bIsSellingItems = !bIsSellingItems;
                rebuild();
                break;
            }
            continue;
        }

        // The trading list, laid out as the inventory, with the price under the name.
        const bool markWorn = bIsSellingItems && vars.bShopCursor;
        drawItemList(*this, shopVec, menuchoice, scroll, markWorn, [&](const Item* item) {
            if (bIsSellingItems)
                return item->itemDescript + " | resale: " + std::to_string(item->price / 2) +
                       (markWorn && item->bIsEquipped ? " | worn" : "");
            return item->itemDescript + " | cost: " + std::to_string(item->price);
        });

        while (nextEvent()) {
            if (event.type == SDL_QUIT) {
                leaving = true;
                continue;
            }
            if (event.type != SDL_KEYDOWN)
                continue;
            const int size = (int)shopVec.size();
            switch (event.key.keysym.sym) {
            case SDLK_ESCAPE:
                leaving = true;
                break;
            case SDLK_RETURN: {
                // A trade earlier in this frame may have emptied the list.
                if (menuchoice < 0 || menuchoice >= size)
                    break;
                Item* item = shopVec[menuchoice];
                const char* question =
                    bIsSellingItems && vars.bShopCursor ? sellingQuestion(*this, item) : nullptr;
                if (question && !askYesNo(question)) {
                    leaving = event.type == SDL_QUIT;
                    break;
                }
                if (bIsSellingItems) {
                    player->stats.money = addMoney(player->stats.money, item->price / 2);
                    handOverItem(*this, item, OWNER_SHOP);
                } else if ((long long)player->stats.money < (long long)item->price) {
                    drawTextAt("Sorry, you don't have enough money!", 10, 480);
                    SDL_Flip(screen);
                    gameDelay(800);
                    break;
                } else {
                    handOverItem(*this, item, OWNER_PLAYER);
                    player->stats.money = addMoney(player->stats.money, -(long long)item->price);
                }
                if (vars.bShopCursor)
                    keepPlace();
                else
                    rebuild();
                break;
            }
            case SDLK_UP:
                itemListUp(size, menuchoice, scroll);
                break;
            case SDLK_DOWN:
                itemListDown(size, menuchoice, scroll);
                break;
            default:
                break;
            }
        }
        vars.frames++;
        endScreenFrame();
    }
    resetFrameTimers();
}
