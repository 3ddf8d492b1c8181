// LevelManager: the ordered level list, which level is current, and level changes.
//
// Change requests only set levelChangePending; the frame loop notices it at the end of the
// frame and calls LoadLevel, so several requests in one frame load once, the last one winning.
#pragma once

#include <string>
#include <vector>

#include <rapidjson/document.h>

class LevelManager
{
  public:
    static LevelManager& Get();

    void NextLevel();
    void PreviousLevel();
    void RestartLevel();
    void GoToFirstLevel();
    void GoToLastLevel();
    // A new game from the menus: the entry after the title level (the title itself when the
    // list holds nothing else), with the music of a next-level step.
    void RestartGame();
    // Makes the named list entry current and requests it (developer switch --level).
    bool GoToLevel(const std::string& name);
    // Replaces the running level with the current list entry, or with the save file when
    // loadFromSave is set.
    void LoadLevel();
    // Writes the running level to the preference folder's "save.json" (temp file, then rename).
    bool SaveGame();
    // Replaces the list with a parsed level list document (nullptr: the file was missing) and
    // goes back to its first entry.
    void ReadList(const rapidjson::Document* doc, const char* listPath);
    // Loads a save file's text (path names it in reports) as LoadLevel does with loadFromSave.
    bool LoadSaveText(const std::string& text, const std::string& path);
    std::string GetCurrentLevelName() const;
    std::string SavePath() const;

    bool loadFromSave = false;
    bool levelChangePending = false;
    size_t current = 0;
    size_t wrapEntry = 0;
    size_t first = 0;
    std::vector<std::string> levels;

  private:
    LevelManager();
    void MusicStep();
    void ChangeTail();
    void LoadFromList();
    // False (and nothing touched) when the save is missing, unparsable or names unknown objects.
    bool LoadFromSave();
};
