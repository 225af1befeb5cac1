// player.h -- the character record (Actor) and its statistics.
#pragma once
#include <iosfwd>
#include <string>

class Map;

class CharacterStats
{
public:
    int hp = 0;
    int hp_max = 0;
    int mp = 0;
    int mp_max = 0;
    unsigned int xp = 0;
    unsigned int level = 0;
    unsigned int strength = 0;
    unsigned int dexterity = 0;
    unsigned int intelligence = 0;
    unsigned int money = 0;   // always filled from the character file before use
};

// One character of the world: the player, townsfolk, shopkeepers and enemies.
// Positions are map pixels of the top-left corner of the 48x48 picture.
class Actor
{
public:
    Actor();

    // Advances the walking animation by delta milliseconds of movement.
    void animate(float delta);
    // Line of sight to map point (px, py); walks at most 16 cells.
    bool canSee(float px, float py, Map* theMap);

    void serializeTo(const char* path);
    // Returns false when the file could not be written completely.
    bool writeTo(const char* path);
    bool writeTo(std::ostream& out);
    // With root, path lies below that folder and no link on the way may lead out of it.
    int serializeFrom(const char* path, const char* root = NULL);

    float x, y;
    CharacterStats stats;
    int flagId;
    bool bIsHostile;
    std::string conversation[2];
    std::string myName;
    bool bIsWanderer;
    int sprite;
    int direction;      // 0 up, 1 right, 2 down, 3 left
    int walkFrame;      // 0, 1 or 2
    float frameTimer;   // ms toward the next walking frame
    bool bIsActive;     // within 500 pixels of the player this frame
    bool bIsEnraged;
    int wdir;           // strolling direction: 0 up, 1 down, 2 left, 3 right
    float wtimer;       // ms until a new strolling direction
    // Set when a fight with this character ended because neither side could
    // reach the other; it starts no fight until the player has been beyond
    // its notice distance. Not saved.
    bool bIsBaffled;
    // A sprite, direction or frame with no picture has been reported once. Not saved.
    bool bPictureReported = false;
};
