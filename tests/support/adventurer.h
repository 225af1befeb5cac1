// adventurer.h -- a player's hands for long scripted plays of a real game: walking and talking,
// fighting every fight that comes (stepping, striking, potions, healing, level-up rewards),
// shopping, wearing, opening doors, sleeping, saving and loading, with a journal of the route.
#pragma once
#include <map>
#include <string>
#include <vector>
#include "autopilot.h"

namespace qtest {

// What a save must bring back: the player, the items, the quests, the flags, the map and who is
// still alive.
struct Snapshot
{
    Actor player;
    std::vector<std::string> items;    // short name, owner, type, worn, for every item in order
    std::vector<bool> quests;
    std::vector<bool> flags;
    bool floater = false;
    std::vector<std::string> alive;   // every character's name, in list order
    std::vector<int> map;

    static Snapshot of(CGame& g);
};
// Adds a failure for every difference.
void expectSame(const Snapshot& before, const Snapshot& after);

class Adventurer
{
public:
    explicit Adventurer(CGame*& game) : g(game) {}

    // Runs the game from its main menu with the scenario on the keys.
    void play(Scenario& s);

    // Steps of a route, added to a scenario.
    void talk(Scenario& s, const std::string& name);
    // Walks to an item lying on the map (the one nearest tile (nearX, nearY) when given) and
    // picks it up.
    void fetch(Scenario& s, const std::string& shortName, int nearX = -1, int nearY = -1);
    // Buys items from the shops' stock through a shopkeeper (or the key shop's clerk).
    void buy(Scenario& s, const std::string& keeper, const std::vector<std::string>& shortNames, bool keyShop = false);
    // Sells carried items to the shops' stock through a shopkeeper.
    void sell(Scenario& s, const std::string& keeper, const std::vector<std::string>& shortNames);
    // Uses an item from the pack on the map: armour and floaters are put on, potions drunk.
    void wear(Scenario& s, const std::string& shortName);
    // Walks beside the locked door on tile (x, y) and opens it with a carried key or room key.
    void openDoor(Scenario& s, int x, int y);
    // Sleeps in the bed nearest to tile (x, y) (health and mana full again).
    void sleepNear(Scenario& s, int x, int y);
    void walkTo(Scenario& s, int x, int y);
    // Seeks out the nearest creature of that name until it attacks, and wins the fight; count times.
    void hunt(Scenario& s, const std::string& name, int count);
    void expectQuestsDone(Scenario& s, int n);
    // F1 on the map, checked; then F2 back to the menu, which ends the game object's play.
    void saveAndQuit(Scenario& s, Snapshot& saved);
    // From a fresh game object's menu: Load Game, and the game is as it was saved.
    void loadGame(Scenario& s, const Snapshot& saved);
    // Talks to the ending's keeper and watches the slides to the end.
    void watchEnding(Scenario& s, const std::string& keeper);

    bool exploring() const;
    // False while a fight, its reward screen or a nested screen has the frame.
    bool free();
    // Adds a step that runs only while the player is free on the map.
    void onMap(Scenario& s, const std::string& name, std::function<bool()> step);
    // One frame of walking up to the character; true once Return has been pressed beside them.
    bool talkTo(const std::string& name);
    // One frame of walking to the item until the player's box touches it (Space then picks it up).
    bool walkToItem(const std::string& shortName);
    std::string journal() const;
    void note(const std::string& line);

    Walker walker;
    int fights = 0;   // fights begun
    int wins = 0;
    int levelUps = 0;
    unsigned long frames = 0;   // frames the scenarios have seen

private:
    bool fighting();
    void takeTurn();
    // Keys to the pack's row of an item (the newest item is the top row; with "packorder" the rows
    // of that option).
    int packDowns(const Item* item) const;
    // In the open pack: to the item's row and Return. With "packorder" the cursor opens where it
    // was left, so it goes to the top first.
    void choosePacked(const Item* item);
    // Opens the pack on the map and uses the item.
    void usePacked(const Item* item);
    Item* bestPotion(int need) const;

    CGame*& g;
    std::vector<std::string> log_;
    bool inFight_ = false;
    bool rewardTaken_ = false;
    unsigned levelBefore_ = 0;
    int turns_ = 0;
    std::string foe_;
    float lastEx_ = 0, lastEy_ = 0;
    int stillTurns_ = 0;
};

} // namespace qtest
